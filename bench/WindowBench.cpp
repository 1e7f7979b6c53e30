// SPDX-License-Identifier: GPL-3.0-or-later
// Times the main window's long work on the machine's own fonts: the scan
// of the installed families as a press of "扫描" runs it, the sample of one
// font, and the sample sheet of all fonts ("字型"): its first screen, the
// whole build, pauses, showing new pages while scrolling, and memory; then
// whether every name of the sheet and of the samples shown is drawn in the
// face fontconfig gives it. Prints figures; judges nothing.

#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "FaceCheck.h"
#include "Timing.h"
#include "core/platform/Platform.h"
#include "gui/common/FontNameList.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"

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
      ms_ = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
    return false;
  }

 private:
  QPlainTextEdit* sheet_;
  const QElapsedTimer& clock_;
  double ms_ = -1;
};

// The font a line of a text box is drawn in, from the format at its end.
QFont LineFont(QTextDocument* document, int line) {
  QTextCursor end(document->findBlockByNumber(line));
  end.movePosition(QTextCursor::EndOfBlock);
  return end.charFormat().font().resolve(document->defaultFont());
}

long PeakMemoryMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application);
  const bool reading = argc > 1 && QString::fromUtf8(argv[1]) == QLatin1String("reading");
  const auto platform = qm::platform::CreatePlatform();
  qm::gui::MainWindow window(*platform);
  window.show();
  QCoreApplication::processEvents();

  auto* list = window.findChild<qm::gui::FontNameList*>("List1");
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
    scanMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    longestPause = std::max(longestPause, pauses.Stop());
  }
  std::printf("scan: %d families (%s), median %.1f ms over %d runs, longest pause %lld ms\n",
              list->count(), total->text().toStdString().c_str(), Median(scanMs), runs,
              static_cast<long long>(longestPause));

  const int samples = std::min(list->count(), 200);
  auto* sample = window.findChild<QTextEdit*>("RichTextBox1");
  std::vector<double> sampleMs;
  std::vector<DrawnName> sampleFaces;
  for (int row = 0; row < samples; ++row) {
    QElapsedTimer clock;
    clock.start();
    list->Choose(row);                  // runs ShowFontEffect on the first tab
    QCoreApplication::processEvents();  // includes drawing the sample
    sampleMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    sampleFaces.push_back({list->item(row)->text(), LineFont(sample->document(), 1)});
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
  const double buildMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  QCoreApplication::processEvents();
  std::printf(
      "sheet: %d lines, first screen drawn %.1f ms, whole build %.1f ms, longest pause %lld ms\n",
      sheet->document()->blockCount(), firstPaint.Ms(), buildMs,
      static_cast<long long>(pauses.Stop()));

  std::printf("peak memory after the sheet is built: %ld MB\n", PeakMemoryMb());
  // Each page is shown for the first time, as a user paging down would:
  // at once, or (with "reading") after a pause on each page, as a reader
  // would. Separate runs, so that neither finds the other's faces ready.
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
    pageMs.push_back(static_cast<double>(page.nsecsElapsed()) / 1e6);
  }
  if (!pageMs.empty())
    std::printf(
        "sheet paging, %lld ms on each page: %zu new pages, median %.1f ms, worst %.1f ms\n",
        static_cast<long long>(pauseMs), pageMs.size(), Median(pageMs),
        *std::max_element(pageMs.begin(), pageMs.end()));
  std::printf("peak memory after every page was shown: %ld MB\n", PeakMemoryMb());

  if (reading) return 0;  // the faces were checked in the other run
  std::vector<DrawnName> sheetFaces;
  for (int line = 0; line < sheet->document()->blockCount(); ++line)
    sheetFaces.push_back(
        {sheet->document()->findBlockByNumber(line).text(), LineFont(sheet->document(), line)});
  PrintFaceCheck("faces of the sheet", sheetFaces);
  PrintFaceCheck("faces of the samples", sampleFaces);
  return 0;
}
