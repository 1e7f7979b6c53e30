// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/preview/RichTextPages.h"

#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

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

QTextDocument* BoxDocument(QWidget* box) {
  if (auto* rich = qobject_cast<QTextEdit*>(box)) return rich->document();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) return plain->document();
  return nullptr;
}

QTextCursor BoxCursor(QWidget* box) {
  if (auto* rich = qobject_cast<QTextEdit*>(box)) return rich->textCursor();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) return plain->textCursor();
  return {};
}

bool HasPrintableText(const QString& text) { return text.size() > text.count(u' '); }

void CopySelection(const QTextDocument& source, const QTextCursor& selection,
                   QTextDocument& target) {
  target.clear();
  target.setDefaultFont(source.defaultFont());
  QTextCursor(&target).insertFragment(selection.selection());
}

void RenderRichTextPages(QWidget* box, int leftMargin, int topMargin, int rightMargin,
                         int bottomMargin, int pageSetting, const FaceBlockPainter* faces) {
  const QTextDocument* source = BoxDocument(box);
  if (!source) return;
  std::unique_ptr<QPrinter> printer = DefaultPrinter(pageSetting);
  if (!printer) {
    ShowTitledMessage(box, QStringLiteral("打印机没有安装或设置错误！"),
                      QStringLiteral("打印机错误"));
    return;
  }
  const PageFrame frame = FrameOf(*printer, leftMargin, topMargin, rightMargin, bottomMargin);
  PreviewWindow preview(std::move(printer), box->window());
  preview.SizePreview(frame.paper);
  preview.LayOutPages(std::unique_ptr<QTextDocument>(source->clone()), frame, FacesOf(faces));
  preview.exec();
}

void PrintBoxThroughDialog(QWidget* box, const FaceBlockPainter* faces) {
  const QTextDocument* source = BoxDocument(box);
  if (!source) return;
  const QTextCursor cursor = BoxCursor(box);
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setFullPage(true);
  QPrintDialog dialog(&printer, box->window());
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, cursor.hasSelection());
  if (cursor.hasSelection()) dialog.setPrintRange(QAbstractPrintDialog::Selection);
  if (dialog.exec() != QDialog::Accepted) return;
  std::unique_ptr<QTextDocument> document(source->clone());
  if (printer.printRange() == QPrinter::Selection) CopySelection(*source, cursor, *document);
  PageLayoutSteps layout;
  layout.Start(std::move(document),
               FrameOf(printer, kSideMargin, kEndMargin, kSideMargin, kEndMargin), FacesOf(faces));
  layout.WaitUntilDone();
  if (const JobOutcome job = PrintJob(printer, layout.Pages()); !job.refusal.isEmpty())
    ShowMessage(box, job.refusal);
}

}  // namespace qm::gui
