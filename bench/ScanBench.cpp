// Times the scan of the installed families, as a press of "扫描" runs it,
// and the sample of one font, on the machine's own fonts. Prints figures;
// judges nothing.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/Platform.h"

namespace {

// Measures the longest time the event loop went without running a 1 ms
// timer: the longest pause a user would feel.
class PauseWatch {
 public:
  PauseWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      longest_ = std::max(longest_, sinceLast_.elapsed());
      sinceLast_.restart();
    });
  }
  void Start() {
    longest_ = 0;
    sinceLast_.start();
    timer_.start(1);
  }
  qint64 Stop() {
    timer_.stop();
    return std::max(longest_, sinceLast_.elapsed());
  }

 private:
  QTimer timer_;
  QElapsedTimer sinceLast_;
  qint64 longest_ = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qm::app::ConfigureApplication(application);
  const auto platform = qm::platform::CreatePlatform();
  qm::app::MainWindow window(*platform);
  window.show();
  QCoreApplication::processEvents();

  auto* list = window.findChild<QListWidget*>("List1");
  auto* total = window.findChild<QLabel*>("Label1");
  const int runs = 5;
  std::vector<double> scanMs;
  qint64 longestPause = 0;
  PauseWatch pauses;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer clock;
    pauses.Start();
    clock.start();
    window.ToolbarButton(1)->trigger();
    scanMs.push_back(clock.nsecsElapsed() / 1e6);
    longestPause = std::max(longestPause, pauses.Stop());
  }
  std::printf("scan: %d families (%s), median %.1f ms over %d runs, longest pause %lld ms\n",
              list->count(), total->text().toStdString().c_str(), Median(scanMs), runs,
              static_cast<long long>(longestPause));

  const int samples = std::min(list->count(), 200);
  std::vector<double> sampleMs;
  for (int row = 0; row < samples; ++row) {
    QElapsedTimer clock;
    clock.start();
    list->setCurrentRow(row);  // runs ShowFontEffect on the first tab
    QCoreApplication::processEvents();  // includes drawing the sample
    sampleMs.push_back(clock.nsecsElapsed() / 1e6);
  }
  if (!sampleMs.empty())
    std::printf("ShowFontEffect: %d families, median %.2f ms, worst %.2f ms (drawing included)\n",
                samples, Median(sampleMs), *std::max_element(sampleMs.begin(), sampleMs.end()));
  return 0;
}
