// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/preview/RichTextPages.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "gui/common/Dialogs.h"
#include "gui/preview/PreviewWindow.h"
#include "gui/printing/PageLayoutSteps.h"
#include "gui/printing/PagePrinting.h"
#include "gui/printing/PageRecorder.h"

namespace qm::gui {
namespace {

// The margins and page setting of a print straight from a box, as its preview has them.
constexpr int kSideMargin = 300;
constexpr int kEndMargin = 1;

std::optional<FaceBlockPainter> FacesOf(const FaceBlockPainter* faces) {
  if (!faces) return std::nullopt;
  return *faces;
}

}  // namespace

bool HasPrintableText(const QString& text) { return text.size() > text.count(u' '); }

void RenderRichTextPages(QWidget* parent, const QTextDocument& document, int leftMargin,
                         int topMargin, int rightMargin, int bottomMargin, int pageSetting,
                         const FaceBlockPainter* faces) {
  std::unique_ptr<QPrinter> printer = DefaultPrinter(pageSetting);
  if (!printer) {
    ShowTitledMessage(parent, QStringLiteral("打印机没有安装或设置错误！"),
                      QStringLiteral("打印机错误"));
    return;
  }
  const PageFrame frame = FrameOf(*printer, leftMargin, topMargin, rightMargin, bottomMargin);
  PreviewWindow preview(std::move(printer), parent->window());
  preview.SizePreview(frame.paper);
  preview.LayOutPages(std::unique_ptr<QTextDocument>(document.clone()), frame, FacesOf(faces));
  preview.exec();
}

void PrintThroughDialog(QWidget* parent, const QTextDocument& whole, const QTextDocument* selected,
                        const FaceBlockPainter* faces) {
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setFullPage(true);
  QPrintDialog dialog(&printer, parent->window());
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, selected != nullptr);
  if (selected) dialog.setPrintRange(QAbstractPrintDialog::Selection);
  if (dialog.exec() != QDialog::Accepted) return;
  const QTextDocument& printed =
      selected && printer.printRange() == QPrinter::Selection ? *selected : whole;
  PageLayoutSteps layout;
  layout.Start(std::unique_ptr<QTextDocument>(printed.clone()),
               FrameOf(printer, kSideMargin, kEndMargin, kSideMargin, kEndMargin), FacesOf(faces));
  layout.WaitUntilDone();
  if (const JobOutcome job = PrintJob(printer, layout.Pages()); !job.refusal.isEmpty())
    ShowMessage(parent, job.refusal);
}

}  // namespace qm::gui
