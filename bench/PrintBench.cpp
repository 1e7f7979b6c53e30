// SPDX-License-Identifier: GPL-3.0-or-later
// Times printing the sample sheet of every family fontconfig is configured
// with (one line per family in its own face, 12 pt), beside the toolkit's
// own QTextDocument::print of the same document measured in the same run:
// page 1 ready, every page laid out, the longest the window does not answer,
// all pages printed to a PDF file (what the print system is handed), and
// the peak memory of each, each side run in a process of its own.
// Prints figures; judges nothing.

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

#include "core/platform/linux/FaceMatchShortcut.h"
#include "gui/printing/PageLayoutSteps.h"
#include "gui/printing/PagePrinting.h"

namespace {

constexpr int kPointSize = 12;
constexpr int kSideMargin = 300;
constexpr int kEndMargin = 1;
constexpr int kTickMs = 10;

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

std::unique_ptr<QTextDocument> Sheet() {
  auto sheet = std::make_unique<QTextDocument>();
  QTextCursor cursor(sheet.get());
  bool first = true;
  for (const QString& family : QFontDatabase::families()) {
    if (family.startsWith(u'@')) continue;
    if (!first) cursor.insertBlock();
    first = false;
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(kPointSize);
    // As the sheet asks: each name in its own face, with no search for fallbacks.
    format.setFontStyleStrategy(QFont::NoFontMerging);
    cursor.insertText(family, format);
  }
  return sheet;
}

std::unique_ptr<QPrinter> PdfPrinter(QPrinter::PrinterMode mode, const QString& file) {
  auto printer = std::make_unique<QPrinter>(mode);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(file);
  printer->setFullPage(true);
  return printer;
}

void Ours(const QString& pdf) {
  // As the program opens faces: without weighing every installed font.
  qm::platform::EnableFaceMatchShortcut();
  std::unique_ptr<QPrinter> printer = PdfPrinter(QPrinter::ScreenResolution, pdf);
  QElapsedTimer clock;
  clock.start();
  qm::gui::PageLayoutSteps layout;
  std::vector<QPicture> pages;
  double firstPageMs = -1;
  QObject::connect(&layout, &qm::gui::PageLayoutSteps::PageRecorded, [&](const QPicture& page) {
    if (pages.empty()) firstPageMs = MsSince(clock);
    pages.push_back(page);
  });
  // The window's thread ticks meanwhile; the longest gap between ticks is
  // the longest the window would not answer.
  QTimer tick;
  QElapsedTimer sinceTick;
  double longestPauseMs = 0;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    longestPauseMs = std::max(longestPauseMs, MsSince(sinceTick));
    sinceTick.restart();
  });
  tick.start(kTickMs);
  sinceTick.start();
  layout.Start(Sheet(),
               qm::gui::FrameOf(*printer, kSideMargin, kEndMargin, kSideMargin, kEndMargin));
  layout.WaitUntilDone();
  tick.stop();
  const double layoutMs = MsSince(clock);
  clock.restart();
  qm::gui::PrintJob(*printer, pages);
  std::printf(
      "recorded pages: %zu pages; page 1 after %.0f ms, all laid out in %.0f ms, longest "
      "pause of the window %.0f ms; printed in %.0f ms; peak %.0f MB\n",
      pages.size(), firstPageMs, layoutMs, longestPauseMs, MsSince(clock), PeakMb());
}

void Anchor(const QString& pdf) {
  std::unique_ptr<QPrinter> printer = PdfPrinter(QPrinter::HighResolution, pdf);
  QElapsedTimer clock;
  clock.start();
  std::unique_ptr<QTextDocument> sheet = Sheet();
  // What print() does first: a copy laid out on the printer's pages.
  std::unique_ptr<QTextDocument> copy(sheet->clone());
  copy->documentLayout()->setPaintDevice(printer.get());
  copy->setPageSize(printer->pageRect(QPrinter::DevicePixel).size());
  const int pageCount = copy->pageCount();
  const double layoutMs = MsSince(clock);
  clock.restart();
  sheet->print(printer.get());
  std::printf(
      "QTextDocument::print: %d pages; laid out in %.0f ms (the window waits for all of "
      "it); print() in %.0f ms; peak %.0f MB\n",
      pageCount, layoutMs, MsSince(clock), PeakMb());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  QTemporaryDir folder;
  if (arguments.size() > 1) {
    const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
    if (arguments[1] == QLatin1String("ours")) Ours(pdf);
    if (arguments[1] == QLatin1String("anchor")) Anchor(pdf);
    std::printf("  %lld bytes of PDF\n", static_cast<long long>(QFile(pdf).size()));
    return 0;
  }
  std::printf("%lld families at %d pt\n", static_cast<long long>(QFontDatabase::families().size()),
              kPointSize);
  // Each side in a process of its own, so that neither finds the other's faces open.
  for (const char* side : {"ours", "anchor"}) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(application.applicationFilePath(), {QString::fromLatin1(side)});
    child.waitForFinished(-1);
  }
  return 0;
}
