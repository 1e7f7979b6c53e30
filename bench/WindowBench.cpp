// Times the main window's long work on the machine's own fonts: the scan
// of the installed families as a press of "扫描" runs it, the sample of one
// font, and the sample sheet of all fonts ("字型"): its first screen, the
// whole build, pauses, showing new pages while scrolling, and memory.
// Prints figures; judges nothing.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <sys/resource.h>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"
#include "core/platform/Platform.h"
#include "Timing.h"

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

// Notes when the sheet is first drawn with some text on it.
class FirstPaint : public QObject {
 public:
  FirstPaint(QPlainTextEdit* sheet, const QElapsedTimer& clock) : sheet_(sheet), clock_(clock) {
    sheet->viewport()->installEventFilter(this);
  }
  double Ms() const { return ms_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && ms_ < 0 && !sheet_->document()->isEmpty())
      ms_ = clock_.nsecsElapsed() / 1e6;
    return false;
  }

 private:
  QPlainTextEdit* sheet_;
  const QElapsedTimer& clock_;
  double ms_ = -1;
};

long PeakMemoryMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}


}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application);
  const auto platform = qm::platform::CreatePlatform();
  qm::gui::MainWindow window(*platform);
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

  std::printf("peak memory before the sheet: %ld MB\n", PeakMemoryMb());
  auto* sheet = window.findChild<QPlainTextEdit*>("RichTextBox2");
  QElapsedTimer clock;
  FirstPaint firstPaint(sheet, clock);
  pauses.Start();
  clock.start();
  window.ToolbarButton(2)->trigger();
  const double buildMs = clock.nsecsElapsed() / 1e6;
  QCoreApplication::processEvents();
  std::printf(
      "sheet: %d lines, first screen drawn %.1f ms, whole build %.1f ms, longest pause %lld ms\n",
      sheet->document()->blockCount(), firstPaint.Ms(), buildMs,
      static_cast<long long>(pauses.Stop()));

  std::printf("peak memory after the sheet is built: %ld MB\n", PeakMemoryMb());
  // Each page is shown for the first time, as a user paging down would:
  // at once, or (with "reading") after a pause on each page, as a reader
  // would. Separate runs, so that neither finds the other's faces ready.
  const bool reading = argc > 1 && QString::fromUtf8(argv[1]) == QLatin1String("reading");
  const qint64 pauseMs = reading ? 150 : 0;
  QScrollBar* scroll = sheet->verticalScrollBar();
  std::vector<double> pageMs;
  for (int value = scroll->pageStep(); value <= scroll->maximum(); value += scroll->pageStep()) {
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < pauseMs) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::msleep(1);
    }
    QElapsedTimer page;
    page.start();
    scroll->setValue(value);
    sheet->viewport()->repaint();
    pageMs.push_back(page.nsecsElapsed() / 1e6);
  }
  if (!pageMs.empty())
    std::printf("sheet paging, %lld ms on each page: %zu new pages, median %.1f ms, worst %.1f ms\n",
                static_cast<long long>(pauseMs), pageMs.size(), Median(pageMs),
                *std::max_element(pageMs.begin(), pageMs.end()));
  std::printf("peak memory after every page was shown: %ld MB\n", PeakMemoryMb());
  return 0;
}
