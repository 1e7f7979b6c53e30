// SPDX-License-Identifier: GPL-3.0-or-later
// Times printing the program's own sample sheet of every family fontconfig
// is configured with (the main window scans, builds "字型", and the document
// printed is a copy of the sheet's, its lines drawn in their faces by the
// face engine, as "打印预览" prints it), beside the
// toolkit's own QTextDocument::print of the same copy measured in the same
// run: page 1 ready, every page laid out, the longest the window does not
// answer meanwhile, all pages printed to a PDF file (what the print system
// is handed), and the peak memory. Three sides, each in a process of its
// own: the recorded pages alone, the real preview window laying them out
// and printing them on its "打印", and the anchor.
// Then whether every printed line is drawn from the file and face index
// fontconfig gives its name. Prints figures; judges nothing.

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "FaceCheck.h"
#include "Memory.h"
#include "ToolbarPress.h"
#include "core/platform/Platform.h"
#include "gui/common/FaceText.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/preview/PreviewWindow.h"
#include "gui/printing/PageLayoutSteps.h"
#include "gui/printing/PagePrinting.h"
#include "gui/printing/PageRecorder.h"
#include "gui/sheet/SampleSheet.h"

namespace {

// The preview's margins, twips, as the main window passes them.
constexpr int kSideMargin = 300;
constexpr int kEndMargin = 1;

double MsSince(const QElapsedTimer& clock) {
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The lifetime peak of the process's resident memory, MB.
double PeakMb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return -1;
}

// The time this thread has run, ms.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The longest time the event loop went without running a 1 ms timer: the
// longest a person would find the window not answering. With the 2 cores
// shared, a pause may be mostly time the thread waited for a core; the
// thread's own running time in each pause tells that apart.
class PauseWatch {
 public:
  PauseWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    sinceLast_.start();
    cpuAtLast_ = ThreadCpuMs();
    timer_.start(1);
  }
  void Stop() {
    Tick();
    timer_.stop();
  }
  // "N ms (the thread ran M ms of it); longest run of the thread: K ms".
  std::string Figures() const {
    char text[160];
    std::snprintf(text, sizeof text,
                  "%.0f ms (the thread ran %.0f ms of it); longest running %.0f ms", longest_,
                  longestCpu_, longestRunning_);
    return text;
  }

 private:
  void Tick() {
    const double wall = MsSince(sinceLast_), cpu = ThreadCpuMs() - cpuAtLast_;
    if (wall > longest_) {
      longest_ = wall;
      longestCpu_ = cpu;
    }
    longestRunning_ = std::max(longestRunning_, cpu);
    sinceLast_.restart();
    cpuAtLast_ = ThreadCpuMs();
  }

  QTimer timer_;
  QElapsedTimer sinceLast_;
  double cpuAtLast_ = 0;
  double longest_ = 0;
  double longestCpu_ = 0;
  double longestRunning_ = 0;
};

std::unique_ptr<QPrinter> PdfPrinter(QPrinter::PrinterMode mode, const QString& file) {
  auto printer = std::make_unique<QPrinter>(mode);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file);
  printer->setFullPage(true);
  return printer;
}

qm::gui::PageFrame Frame(const QPrinter& printer) {
  return qm::gui::FrameOf(printer, kSideMargin, kEndMargin, kSideMargin, kEndMargin);
}

// The main window with its sheet built, as a person has it before "打印预览".
class SheetShown {
 public:
  explicit SheetShown(qm::platform::Platform& platform)
      : window_(platform, windowFaces_), finder_(platform) {}

  // Scans, builds the sheet, waits until it is usable, and returns the copy
  // "打印预览" prints.
  std::unique_ptr<QTextDocument> Build() {
    window_.show();
    window_.ScanInstalledFonts();
    auto* sheet = window_.findChild<qm::gui::SheetView*>(QStringLiteral("RichTextBox2"));
    auto* progress = window_.findChild<QLabel*>(QStringLiteral("Label2"));
    PressToolbarButton(window_, qm::gui::keys::kBuildSheet);
    const int lines = sheet->model()->rowCount();
    const QString done = QStringLiteral("%1/%1").arg(lines);
    while (progress->text() != done) QCoreApplication::processEvents();
    std::printf("  the sheet: %d lines\n", lines);
    qm::gui::ListedFamilies families;
    for (int line = 0; line < lines; ++line) {
      const QModelIndex index = sheet->model()->index(line, 0);
      families << qm::gui::ListedFamily{index.data().toString(),
                                        index.data(qm::gui::kRealNameRole).toByteArray()};
    }
    sheet_ = qm::gui::SheetDocument(families, sheet->Look(), sheet->font());
    PrintMemory("with the sheet built, before printing");
    return std::unique_ptr<QTextDocument>(sheet_->clone());
  }
  // The sheet's own document, a line per name.
  const QTextDocument* Document() const { return sheet_.get(); }
  // What draws the lines of the sheet's pages, as "打印预览" has it.
  qm::gui::FaceBlockPainter Faces() { return {windowFaces_, finder_, true}; }
  qm::gui::FaceEngine& Engine() { return windowFaces_; }

 private:
  qm::gui::FaceEngine windowFaces_;
  qm::gui::MainWindow window_;
  std::unique_ptr<QTextDocument> sheet_;
  qm::gui::ListedFaceFinder finder_;
};

// Whether each printed line is drawn from the face fontconfig gives its
// name: each line drawn as a page draws it, with no face open before.
void CheckPrintedFaces(SheetShown& shown, const QTextDocument& copy) {
  const qm::gui::FaceBlockPainter page = shown.Faces().ForPages(qm::gui::kTwipsPerInch);
  std::vector<DrawnAddress> names;
  QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  for (QTextBlock line = copy.begin(); line.isValid(); line = line.next()) {
    shown.Engine().Forget();
    QPainter painter(&scratch);
    qm::gui::FaceBlockPainter(page).Draw(painter, line, QRectF(0, 0, 10000, 400), 300,
                                         copy.defaultFont());
    painter.end();
    names.push_back({line.text(), shown.Engine().OpenFaces()});
  }
  PrintFaceAddressCheck("faces of the printed sheet", names);
}

// The pages recorded by the program's layout steps, without a window.
void Recorded(SheetShown& shown, const QTextDocument& sheet, const QString& pdf) {
  std::unique_ptr<QPrinter> printer = PdfPrinter(QPrinter::ScreenResolution, pdf);
  QElapsedTimer clock;
  clock.start();
  qm::gui::PageLayoutSteps layout;
  double firstPageMs = -1;
  QObject::connect(&layout, &qm::gui::PageLayoutSteps::PageRecorded, [&](int page) {
    if (page == 0) firstPageMs = MsSince(clock);
  });
  PauseWatch pauses;
  layout.Start(std::unique_ptr<QTextDocument>(sheet.clone()), Frame(*printer), shown.Faces());
  layout.WaitUntilDone();
  pauses.Stop();
  const double layoutMs = MsSince(clock);
  clock.restart();
  qm::gui::PrintJob(*printer, layout.Pages());
  std::printf(
      "laid-out pages: %d pages; page 1 after %.0f ms, all laid out in %.0f ms, longest "
      "pause %s; printed in %.0f ms; peak %.0f MB\n",
      layout.Pages().PageCount(), firstPageMs, layoutMs, pauses.Figures().c_str(), MsSince(clock),
      PeakMb());
}

// The preview window itself, as "打印预览" opens it on a printer, laying the
// pages out while it is shown; then its "打印" pressed.
void Preview(SheetShown& shown, const QTextDocument& sheet, const QString& pdf) {
  std::unique_ptr<QPrinter> printer = PdfPrinter(QPrinter::ScreenResolution, pdf);
  const qm::gui::PageFrame frame = Frame(*printer);
  QElapsedTimer clock;
  clock.start();
  PauseWatch pauses;
  qm::gui::PreviewWindow preview(std::move(printer));
  preview.SizePreview(frame.paper);
  preview.show();
  preview.LayOutPages(std::unique_ptr<QTextDocument>(sheet.clone()), frame, shown.Faces());
  double firstPageMs = -1;
  while (!preview.LaidOut()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (firstPageMs < 0 && preview.PageCount() > 0) firstPageMs = MsSince(clock);
  }
  const double layoutMs = MsSince(clock);
  pauses.Stop();
  auto* print = preview.findChild<QPushButton*>(QStringLiteral("btnPreview0"));
  clock.restart();
  QTest::mouseClick(print, Qt::LeftButton);
  std::printf(
      "preview window: %d pages; page 1 after %.0f ms, all laid out in %.0f ms, longest "
      "pause %s; \"打印\" printed in %.0f ms; peak %.0f MB\n",
      preview.PageCount(), firstPageMs, layoutMs, pauses.Figures().c_str(), MsSince(clock),
      PeakMb());
}

// The sheet as the toolkit's own way would print it: each name in the
// toolkit's font of that name, without fallback faces.
std::unique_ptr<QTextDocument> InToolkitFonts(const QTextDocument& sheet) {
  std::unique_ptr<QTextDocument> fonts(sheet.clone());
  QTextCursor cursor(fonts.get());
  for (QTextBlock line = fonts->begin(); line.isValid(); line = line.next()) {
    const QTextCharFormat format = line.begin().fragment().charFormat();
    const QString real =
        QString::fromUtf8(format.property(qm::gui::kListedFaceProperty).toByteArray());
    if (real.isEmpty()) continue;
    QTextCharFormat face;
    face.setFontFamilies({real});
    face.setFontStyleStrategy(QFont::NoFontMerging);
    cursor.setPosition(line.position());
    cursor.setPosition(line.position() + line.length() - 1, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(face);
  }
  return fonts;
}

void Anchor(const QTextDocument& sheet, const QString& pdf) {
  const std::unique_ptr<QTextDocument> fonts = InToolkitFonts(sheet);
  std::unique_ptr<QPrinter> printer = PdfPrinter(QPrinter::HighResolution, pdf);
  QElapsedTimer clock;
  clock.start();
  // What print() does first: a copy laid out on the printer's pages.
  std::unique_ptr<QTextDocument> copy(fonts->clone());
  copy->documentLayout()->setPaintDevice(printer.get());
  copy->setPageSize(printer->pageRect(QPrinter::DevicePixel).size());
  const int pageCount = copy->pageCount();
  const double layoutMs = MsSince(clock);
  clock.restart();
  fonts->print(printer.get());
  std::printf(
      "anchor, QTextDocument::print: %d pages; laid out in %.0f ms (the window waits for all "
      "of it); print() in %.0f ms; peak %.0f MB\n",
      pageCount, layoutMs, MsSince(clock), PeakMb());
}

// The sheet's lines found as lines of the PDF's text (poppler's pdftotext),
// each at most once: a line lost between pages shows here. Compared in
// compatibility form, as ligatures ("fi") come out as characters of their own.
QString Comparable(const QString& line) {
  return line.trimmed().remove(u'\f').normalized(QString::NormalizationForm_KC);
}

// The sheet's names found on the printed lines: a line is its name, or its
// name followed by the text of the face's own script. Each printed line
// counts for one name.
int LinesPrinted(const QTextDocument& sheet, const QString& pdf) {
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  if (!text.waitForFinished(-1)) return -1;
  std::multiset<QString> printed;
  for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split(u'\n'))
    printed.insert(Comparable(line));
  int found = 0;
  for (QTextBlock block = sheet.begin(); block.isValid(); block = block.next()) {
    const QString name = Comparable(block.text());
    const auto at = printed.lower_bound(name);
    if (at == printed.end() || !at->startsWith(name)) continue;
    printed.erase(at);
    ++found;
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (argc > 1) {
    // Created before the application, as the program's main() does.
    const auto platform = qm::platform::CreatePlatform();
    QApplication application(argc, argv);
    qm::gui::ConfigureApplication(application, *platform);
    SheetShown sheet(*platform);
    const std::unique_ptr<QTextDocument> document = sheet.Build();
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
    const QString side = QString::fromLatin1(argv[1]);
    if (side == QLatin1String("recorded")) Recorded(sheet, *document, pdf);
    if (side == QLatin1String("preview")) Preview(sheet, *document, pdf);
    if (side == QLatin1String("anchor")) Anchor(*document, pdf);
    std::printf("  %lld bytes of PDF; %d of the sheet's %d lines found on its pages\n",
                static_cast<long long>(QFile(pdf).size()), LinesPrinted(*sheet.Document(), pdf),
                document->blockCount());
    if (side == QLatin1String("recorded")) CheckPrintedFaces(sheet, *document);
    return 0;
  }
  QCoreApplication application(argc, argv);
  // Each side in a process of its own, so that none finds another's faces open.
  for (const char* side : {"recorded", "preview", "anchor"}) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(application.applicationFilePath(), {QString::fromLatin1(side)});
    child.waitForFinished(-1);
  }
  return 0;
}
