// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a rich-text box: its pages in the preview window, or straight
// through the print dialog.

#include <QTextCursor>

#include "gui/common/FaceText.h"

class QTextDocument;
class QWidget;

namespace qm::gui {

// The document and caret of a QTextEdit or QPlainTextEdit; nullptr / a
// null cursor for any other widget.
QTextDocument* BoxDocument(QWidget* box);
QTextCursor BoxCursor(QWidget* box);

// Whether the text is worth printing: not empty once spaces at its ends are
// removed (line breaks count as text).
bool HasPrintableText(const QString& text);

// Replaces target's content with the selection's text, formatting kept.
void CopySelection(const QTextDocument& source, const QTextCursor& selection,
                   QTextDocument& target);

// Lays box's whole text (a QTextEdit or QPlainTextEdit) out on the default
// printer's pages inside the margins (twips) and shows them in the preview
// window; returns when it is closed. Without a default printer it says so
// and shows nothing. pageSetting 1: portrait pages. Text in listed faces is
// drawn in them by faces, as the box draws it.
void RenderRichTextPages(QWidget* box, int leftMargin, int topMargin, int rightMargin,
                         int bottomMargin, int pageSetting,
                         const FaceBlockPainter* faces = nullptr);

// Opens the print dialog, with "selection" chosen when box has a selection,
// and prints the selection or the whole text as the dialog says.
void PrintBoxThroughDialog(QWidget* box, const FaceBlockPainter* faces = nullptr);

}  // namespace qm::gui
