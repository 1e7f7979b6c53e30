// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printing/PagePrinting.h"

#include <cups/cups.h>

#include <QLibrary>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "gui/printing/PageRecorder.h"

namespace qm::gui {
namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr int kPortraitSetting = 1;

// A function of the print system's library, looked up when a job has gone
// to a printer: the toolkit's print plugin has loaded the library by then.
// Linking it would load it, and the many libraries it needs, at every start.
template <typename Function>
Function PrintSystemFunction(const char* name) {
  return reinterpret_cast<Function>(QLibrary::resolve(QStringLiteral("cups"), 2, name));
}

// The toolkit hands a finished job to the print system as it ends and keeps
// the answer to itself; the answer is the last the print system gave this thread.
QString RefusalOfLastJob(const QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::NativeFormat) return {};
  const auto lastError = PrintSystemFunction<ipp_status_t (*)()>("cupsLastError");
  const auto lastErrorText = PrintSystemFunction<const char* (*)()>("cupsLastErrorString");
  if (!lastError || !lastErrorText) return {};
  const ipp_status_t status = lastError();
  if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
  return QStringLiteral("%1 %2").arg(status).arg(QString::fromUtf8(lastErrorText()));
}

}  // namespace

std::unique_ptr<QPrinter> DefaultPrinter(int pageSetting) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return nullptr;
  // At the screen's resolution, as the preview draws the pages.
  auto printer = std::make_unique<QPrinter>(info, QPrinter::ScreenResolution);
  printer->setFullPage(true);
  if (pageSetting == kPortraitSetting) printer->setPageOrientation(QPageLayout::Portrait);
  return printer;
}

PageFrame FrameOf(const QPrinter& printer, int left, int top, int right, int bottom) {
  const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Point).size() * kTwipsPerPoint;
  return PageFrame::FromMargins(QSizeF(qRound(paper.width()), qRound(paper.height())), left, top,
                                right, bottom);
}

void DrawPage(QPainter& painter, PageRecorder& pages, int index, double scale) {
  painter.save();
  // Text without a colour of its own takes the painter's pen: on paper that
  // is black, whatever a widget's painter starts with (the preview's is a
  // dark background's light text colour).
  painter.setPen(QPen());
  painter.setBrush(QBrush());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  pages.DrawPage(painter, index);
  painter.restore();
}

JobOutcome PrintJob(QPrinter& printer, PageRecorder& pages) {
  QPainter painter;
  if (!painter.begin(&printer)) return {};
  const double scale = printer.resolution() / kTwipsPerInch;
  for (int page = 0; page < pages.PageCount(); ++page) {
    if (page > 0) printer.newPage();
    DrawPage(painter, pages, page, scale);
  }
  painter.end();
  return {true, RefusalOfLastJob(printer)};
}

}  // namespace qm::gui
