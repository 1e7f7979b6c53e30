// SPDX-License-Identifier: GPL-3.0-or-later
// Times what a user of the main window waits for, on whatever fonts
// fontconfig is configured with, each figure beside an anchor measured in
// the same run: launch until the total is drawn (beside a minimal program
// listing the toolkit's families), the scan "扫描" runs, the sample of one
// font on a click, the sample sheet "字型" (its first complete screen and
// the build until it is usable, beside a bare text box with one family per
// line), Page_Down on the sheet (beside Page_Down in that text box), and the memory in use before
// and after each phase. Then whether every name of the sheet and of the samples shown is drawn from
// the file and face index fontconfig gives it: the faces the face engine opens to draw that line
// alone. Prints figures; judges nothing.

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "FaceCheck.h"
#include "Memory.h"
#include "Timing.h"
#include "ToolbarPress.h"
#include "core/platform/Platform.h"
#include "gui/common/FaceEngine.h"
#include "gui/common/FaceText.h"
#include "gui/common/FontNameList.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/SampleSheet.h"

namespace {

double MsSince(const QElapsedTimer& clock) {
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double Worst(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

// Times of a thing done again and again (a page, a click), each until drawn.
struct Timings {
  std::vector<double> wallMs, cpuMs;  // the window thread's share of each on a processor
  std::vector<long> diskReads;        // page faults that read the disk

  // The next one begins: the window thread's figures now.
  void Start() {
    cpuBefore_ = ThreadCpuMs();
    readsBefore_ = ThreadDiskReads();
  }
  // It ended, elapsedMs after it began.
  void Stop(double elapsedMs) {
    wallMs.push_back(elapsedMs);
    cpuMs.push_back(ThreadCpuMs() - cpuBefore_);
    diskReads.push_back(ThreadDiskReads() - readsBefore_);
  }

 private:
  double cpuBefore_ = 0;
  long readsBefore_ = 0;
};

// What the slowest one spent on a processor and waiting for the disk.
// The worst of times, and which it was (the n-th, from 1).
void PrintWorstOf(const Timings& times, const char* what) {
  const auto worst = std::max_element(times.wallMs.begin(), times.wallMs.end());
  const auto at = static_cast<std::size_t>(worst - times.wallMs.begin());
  std::printf(
      "    the worst %s (number %zu): %.1f ms on a processor, %ld page faults that read the disk "
      "(%ld over all)\n",
      what, at + 1, times.cpuMs[at], times.diskReads[at],
      std::accumulate(times.diskReads.begin(), times.diskReads.end(), 0L));
}

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

// The lines a box holds: a text box's paragraphs, or a view's rows.
int LinesIn(QAbstractScrollArea* box) {
  if (auto* text = qobject_cast<QPlainTextEdit*>(box))
    return text->document()->isEmpty() ? 0 : text->document()->blockCount();
  return static_cast<QAbstractItemView*>(box)->model()->rowCount();
}

// The line a box's caret or current row is on.
int CurrentLine(QAbstractScrollArea* box) {
  if (auto* text = qobject_cast<QPlainTextEdit*>(box)) return text->textCursor().blockNumber();
  return static_cast<QAbstractItemView*>(box)->currentIndex().row();
}

// The lines a box shows from the top down, as far as its viewport reaches:
// what a complete first screen holds.
int LinesOnScreen(QAbstractScrollArea* box) {
  const QPoint bottom(0, box->viewport()->height() - 1);
  if (auto* text = qobject_cast<QPlainTextEdit*>(box))
    return text->cursorForPosition(bottom).blockNumber() + 1;
  auto* view = static_cast<QAbstractItemView*>(box);
  const QModelIndex last = view->indexAt(bottom);
  return last.isValid() ? last.row() + 1 : LinesIn(box);
}

// Records each time a box's viewport is drawn, with the lines the box held
// then.
class PaintLog : public QObject {
 public:
  struct Paint {
    double ms;
    int lines;
  };
  PaintLog(QAbstractScrollArea* box, const QElapsedTimer& clock) : box_(box), clock_(clock) {
    box->viewport()->installEventFilter(this);
  }
  const std::vector<Paint>& Paints() const { return paints_; }
  // Processes events until the viewport has been drawn once more (or a
  // few seconds passed): the time until a change is on the screen.
  bool WaitForPaint() {
    const std::size_t before = paints_.size();
    QElapsedTimer waited;
    waited.start();
    while (paints_.size() == before && waited.elapsed() < 10000)
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    return paints_.size() > before;
  }
  // The first paint that showed at least this many lines, in ms, or -1.
  double FirstWithLines(int lines) const {
    for (const Paint& paint : paints_)
      if (paint.lines >= lines) return paint.ms;
    return -1;
  }

 protected:
  // Noted when the drawing is done: the paint is delivered here, past this
  // filter, to the program's own filters and the view, and then timed.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    watched->removeEventFilter(this);
    QCoreApplication::sendEvent(watched, event);
    watched->installEventFilter(this);
    paints_.push_back({MsSince(clock_), LinesIn(box_)});
    return true;
  }

 private:
  QAbstractScrollArea* box_;
  const QElapsedTimer& clock_;
  std::vector<Paint> paints_;
};

// The faces the face engine opens to draw only rect of a box's viewport,
// none being open before: the faces the lines there are drawn from.
std::vector<qm::gui::FaceAddress> FacesDrawing(qm::gui::FaceEngine& faces, QWidget* viewport,
                                               const QRect& rect, QImage& image) {
  faces.Forget();
  viewport->render(&image, {}, QRegion(rect));
  return faces.OpenFaces();
}

// The region of the sheet's viewport that line takes.
QRect LineRect(QAbstractItemView* sheet, int line) {
  const QRect row = sheet->visualRect(sheet->model()->index(line, 0));
  return QRect(0, row.top(), sheet->viewport()->width(), row.height());
}

// How a sheet line writes its name: characters in its own face and in the
// fallback face (the base face, for those the face lacks, or the whole name
// of a face that writes no letters), and whether its face shows a text of
// its own script after the name.
struct LineCoverage {
  int inOwnFace = 0;
  int inFallback = 0;
  bool ownScript = false;
};

LineCoverage CoverageOf(const qm::gui::FaceLine& line, qsizetype nameLength) {
  LineCoverage coverage;
  qsizetype at = 0;
  for (const qm::gui::LinePiece& piece : line.pieces) {
    if (at >= nameLength) {
      coverage.ownScript = coverage.ownScript || piece.face;
      continue;
    }
    const QString ofName = piece.text.left(nameLength - at);
    const int written = static_cast<int>(ofName.size() - ofName.count(u' '));
    (piece.face ? coverage.inOwnFace : coverage.inFallback) += written;
    at += piece.text.size();
  }
  return coverage;
}

// Presses Page_Down until the last page, each page first shown only after
// pauseMs, and times each key until the new page is drawn.
Timings PageThrough(QAbstractScrollArea* box, qint64 pauseMs) {
  QElapsedTimer clock;
  PaintLog paints(box, clock);
  // From the top, as Ctrl+Home leaves it.
  box->setFocus();
  QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
  QApplication::sendEvent(box, &home);
  QScrollBar* scroll = box->verticalScrollBar();
  QCoreApplication::processEvents();
  Timings times;
  while (scroll->value() < scroll->maximum()) {
    QElapsedTimer pause;
    pause.start();
    do {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      if (pauseMs > 0) QThread::msleep(1);
    } while (pause.elapsed() < pauseMs);
    clock.start();
    times.Start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
    const int valueBefore = scroll->value(), lineBefore = CurrentLine(box);
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
    // The last page may end below the scroll bar's maximum, as the view
    // estimates the height of lines not yet laid out: a key that moves
    // neither the page nor the caret has reached the end too.
    const bool moved = scroll->value() != valueBefore || CurrentLine(box) != lineBefore;
    if (!moved || !paints.WaitForPaint()) break;
    times.Stop(MsSince(clock));
  }
  return times;
}

void PrintPaging(const char* what, const Timings& times) {
  if (times.wallMs.empty()) return;
  std::printf(
      "  %s: %zu pages, median %.1f ms, 95%% within %.1f ms, worst %.1f ms (the window's thread "
      "on a processor: median %.1f ms, worst %.1f ms)\n",
      what, times.wallMs.size(), Median(times.wallMs), Percentile(times.wallMs, 0.95),
      Worst(times.wallMs), Median(times.cpuMs), Worst(times.cpuMs));
  PrintWorstOf(times, "page");
}

// Runs a program to its end; the time from start to end in ms, or -1.
double TimedRun(const QString& program, QString* output) {
  QProcess process;
  QElapsedTimer clock;
  clock.start();
  process.start(program, {});
  if (!process.waitForFinished(600000) || process.exitCode() != 0) return -1;
  const double ms = MsSince(clock);
  *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  return ms;
}

// Launch until the total is drawn, as a process of its own, beside the
// minimal program, in turns so that both see the same caches.
void BenchLaunch() {
  const QString dir = QCoreApplication::applicationDirPath();
  // Fewer with QM_BENCH_LAUNCH_RUNS, where each launch takes many seconds.
  const int runs = qEnvironmentVariableIsSet("QM_BENCH_LAUNCH_RUNS")
                       ? qEnvironmentVariableIntValue("QM_BENCH_LAUNCH_RUNS")
                       : 5;
  if (runs <= 0) return;
  std::vector<double> windowMs, anchorMs;
  QString windowSays, anchorSays;
  for (int run = 0; run < runs; ++run) {
    windowMs.push_back(TimedRun(dir + QStringLiteral("/quillmere_launch_probe"), &windowSays));
    anchorMs.push_back(
        TimedRun(dir + QStringLiteral("/quillmere_family_list_anchor"), &anchorSays));
  }
  std::printf("launch until \"%s\" drawn: median %.0f ms, worst %.0f ms over %d runs\n",
              windowSays.toStdString().c_str(), Median(windowMs), Worst(windowMs), runs);
  std::printf("  anchor, QFontDatabase::families() in a QListWidget drawn (%s): median %.0f ms\n",
              anchorSays.toStdString().c_str(), Median(anchorMs));
}

void BenchScan(qm::gui::MainWindow& window, QListWidget* list) {
  auto* total = window.findChild<QLabel*>(QStringLiteral("Label1"));
  const int runs = 5;
  std::vector<double> scanMs;
  qint64 longestPause = 0;
  PauseWatch pauses;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer clock;
    pauses.Start();
    clock.start();
    PressToolbarButton(window, qm::gui::keys::kScan);
    scanMs.push_back(MsSince(clock));
    longestPause = std::max(longestPause, pauses.Stop());
  }
  std::printf("scan: %d families (%s), median %.1f ms over %d runs, longest pause %lld ms\n",
              list->count(), total->text().toStdString().c_str(), Median(scanMs), runs,
              static_cast<long long>(longestPause));
}

// The sample of one font as a click shows it (ShowFontEffect, drawn),
// beside a label drawing the name in that family. Returns the rows shown.
int BenchSamples(qm::gui::MainWindow& window, qm::gui::FontNameList* list) {
  // Fewer with QM_BENCH_SAMPLES, where each sample takes seconds.
  const int wanted = qEnvironmentVariableIsSet("QM_BENCH_SAMPLES")
                         ? qEnvironmentVariableIntValue("QM_BENCH_SAMPLES")
                         : 200;
  const int samples = std::min(list->count(), wanted);
  auto* sample = window.findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
  Timings clicks;
  std::vector<double> anchorMs;
  QLabel anchor;
  anchor.setFont(sample->font());
  anchor.resize(sample->viewport()->size());
  anchor.show();
  QCoreApplication::processEvents();
  for (int row = 0; row < samples; ++row) {
    const QString name = list->item(row)->text();
    // What the window does when idle between two clicks, as between a person's.
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    clicks.Start();
    list->Choose(row);  // runs ShowFontEffect on the first tab
    sample->viewport()->repaint();
    clicks.Stop(MsSince(clock));
    clock.start();
    anchor.setFont(QFont(name));
    anchor.setText(name);
    anchor.repaint();
    anchorMs.push_back(MsSince(clock));
  }
  if (samples > 0) {
    std::printf(
        "one-font sample on a click (ShowFontEffect, drawn): %d families, median %.2f ms, "
        "worst %.2f ms (the window's thread on a processor: median %.2f ms, worst %.2f ms)\n",
        samples, Median(clicks.wallMs), Worst(clicks.wallMs), Median(clicks.cpuMs),
        Worst(clicks.cpuMs));
    PrintWorstOf(clicks, "click");
    std::printf("  anchor, a label drawing the name in its family: median %.2f ms, worst %.2f ms\n",
                Median(anchorMs), Worst(anchorMs));
  }
  return samples;
}

// The faces the sample's regular line (its second) is drawn from, for the
// first rows clicked again on the first tab; after all timing, as the check
// closes every face before each line.
std::vector<DrawnAddress> SampleFaces(qm::gui::MainWindow& window, qm::gui::FaceEngine& faces,
                                      qm::gui::FontNameList* list, int rows) {
  window.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(0);
  QCoreApplication::processEvents();
  auto* sample = window.findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
  QImage image(sample->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  std::vector<DrawnAddress> drawn;
  for (int row = 0; row < rows; ++row) {
    list->Choose(row);
    const QTextBlock line = sample->document()->findBlockByNumber(1);
    const QRect place = sample->document()
                            ->documentLayout()
                            ->blockBoundingRect(line)
                            .translated(-sample->horizontalScrollBar()->value(),
                                        -sample->verticalScrollBar()->value())
                            .toAlignedRect()
                            .adjusted(0, 1, 0, -1);
    drawn.push_back(
        {list->item(row)->text(), FacesDrawing(faces, sample->viewport(), place, image)});
  }
  return drawn;
}

// The bare text box with one family per line, the size of the sheet:
// set, drawn, and paged through.
void BenchSheetAnchor(const QStringList& names, QAbstractScrollArea* sheet) {
  QPlainTextEdit anchor;
  anchor.setFont(sheet->font());
  anchor.setLineWrapMode(QPlainTextEdit::NoWrap);
  anchor.resize(sheet->size());
  anchor.show();
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  PaintLog paints(&anchor, clock);
  clock.start();
  anchor.setPlainText(names.join(QLatin1Char('\n')));
  paints.WaitForPaint();
  std::printf("  anchor, a bare QPlainTextEdit with one family per line: set and drawn %.1f ms\n",
              MsSince(clock));
  PrintPaging("anchor, Page_Down on it until drawn", PageThrough(&anchor, 0));
}

// The sheet "字型": its first complete screen, and the build until it is
// usable ("N/N" shown, the screen drawn with every face resolved).
void BenchSheetBuild(qm::gui::MainWindow& window, qm::gui::SheetView* sheet, int families) {
  auto* progress = window.findChild<QLabel*>(QStringLiteral("Label2"));
  const QString done = QStringLiteral("%1/%1").arg(families);
  QElapsedTimer clock;
  PaintLog paints(sheet, clock);
  PauseWatch pauses;
  pauses.Start();
  clock.start();
  PressToolbarButton(window, qm::gui::keys::kBuildSheet);
  const double returnedMs = MsSince(clock);
  while (progress->text() != done) QCoreApplication::processEvents();
  sheet->viewport()->repaint();
  const double usableMs = MsSince(clock);
  const qint64 longestPause = pauses.Stop();
  const double firstText = paints.FirstWithLines(1);
  std::printf(
      "sheet \"字型\": %d lines, first text drawn %.1f ms, first complete screen (%d lines) "
      "%.1f ms\n",
      LinesIn(sheet), firstText, LinesOnScreen(sheet), paints.FirstWithLines(LinesOnScreen(sheet)));
  std::printf(
      "  usable (\"%s\", screen drawn) %.1f ms (the command returned at %.1f ms), "
      "longest pause %lld ms\n",
      progress->text().toStdString().c_str(), usableMs, returnedMs,
      static_cast<long long>(longestPause));
}

// Every line of the sheet drawn alone, scrolled into view where it is not:
// the faces each is drawn from, and how its name is written.
std::vector<DrawnAddress> SheetFaces(qm::gui::FaceEngine& faces, qm::gui::SheetView* sheet,
                                     qm::platform::Platform& platform) {
  qm::gui::ListedFaceFinder finder(platform);
  qm::gui::FaceBlockPainter painter(faces, finder, true);
  const QRect view = sheet->viewport()->rect();
  QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
  std::vector<DrawnAddress> drawn;
  int notShown = 0, withFallback = 0, noneInOwnFace = 0, ownScript = 0;
  // Every line, or with QM_BENCH_CHECKED_LINES=N that many spread evenly
  // (each check asks fontconfig for a full match, slow among 50,000 fonts).
  const int checked = qEnvironmentVariableIntValue("QM_BENCH_CHECKED_LINES");
  const int step = checked > 0 ? std::max(1, LinesIn(sheet) / checked) : 1;
  for (int line = 0; line < LinesIn(sheet); line += step) {
    const QModelIndex index = sheet->model()->index(line, 0);
    const qm::gui::ListedFamily family{index.data().toString(),
                                       index.data(qm::gui::kRealNameRole).toByteArray()};
    sheet->scrollTo(index);
    const QRect rect = LineRect(sheet, line);
    if (!view.contains(rect)) {
      ++notShown;
      continue;
    }
    drawn.push_back({family.shown, FacesDrawing(faces, sheet->viewport(), rect, image)});
    const qm::gui::FaceLine laidOut = painter.LayOut(
        {{family.shown, qm::gui::SheetLineFormat(family, sheet->Look())}}, sheet->font());
    const LineCoverage coverage = CoverageOf(laidOut, family.shown.size());
    if (coverage.inFallback > 0) ++withFallback;
    if (coverage.inOwnFace == 0) ++noneInOwnFace;
    if (coverage.ownScript) ++ownScript;
  }
  std::printf(
      "sheet lines with characters of the name their face lacks, drawn in the fallback face: "
      "%d; with none of the name in their own face: %d; showing a text of the face's own "
      "script beside the name: %d; lines that could not be scrolled into view: %d\n",
      withFallback, noneInOwnFace, ownScript, notShown);
  return drawn;
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto platform = qm::platform::CreatePlatform();
  QApplication application(argc, argv);
  qm::gui::ConfigureApplication(application, *platform);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure shows as it comes, also in a file
  // With "reading", each page is shown after a pause, as a reader would
  // (a separate run, so that it does not find the other run's faces ready).
  const bool reading = argc > 1 && QString::fromUtf8(argv[1]) == QLatin1String("reading");
  if (!reading) BenchLaunch();

  qm::gui::FaceEngine windowFaces;
  qm::gui::MainWindow window(*platform, windowFaces);
  window.show();
  QCoreApplication::processEvents();
  PrintMemory("with the window shown");
  auto* list = window.findChild<qm::gui::FontNameList*>(QStringLiteral("List1"));
  BenchScan(window, list);
  PrintMemory("after the scans");
  const int samples = BenchSamples(window, list);
  PrintMemory("after the samples");

  auto* sheet = window.findChild<qm::gui::SheetView*>(QStringLiteral("RichTextBox2"));
  QStringList names;
  for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
  BenchSheetAnchor(names, sheet);
  PrintMemory("after the anchor, before the sheet");
  BenchSheetBuild(window, sheet, list->count());
  PrintMemory("after the sheet is usable");
  PrintPaging(reading ? "Page_Down until drawn, each page after 150 ms on the last"
                      : "Page_Down on the sheet until drawn",
              PageThrough(sheet, reading ? 150 : 0));
  PrintMemory("after paging through the whole sheet");
  PrintLargestFontFiles(5);

  if (reading) return 0;
  PrintFaceAddressCheck("faces of the sheet", SheetFaces(windowFaces, sheet, *platform));
  PrintFaceAddressCheck("faces of the samples", SampleFaces(window, windowFaces, list, samples));
  return 0;
}
