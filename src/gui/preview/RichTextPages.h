// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a rich-text box: its pages in the preview window, or straight
// through the print dialog.

#include "gui/common/FaceText.h"

class QTextDocument;
class QWidget;

namespace qm::gui {

// Whether the text is worth printing: not empty once spaces at its ends are
// removed (line breaks count as text).
bool HasPrintableText(const QString& text);

// Lays document out on the default printer's pages inside the margins
// (twips) and shows them in the preview window over parent; returns when it
// is closed. Without a default printer it says so and shows nothing.
// pageSetting 1: portrait pages. Text in listed faces is drawn in them by
// faces, as the screen draws it.
void RenderRichTextPages(QWidget* parent, const QTextDocument& document, int leftMargin,
                         int topMargin, int rightMargin, int bottomMargin, int pageSetting,
                         const FaceBlockPainter* faces = nullptr);

// Opens the print dialog over parent, with "selection" offered and chosen
// when there is a selected part, and prints that part or the whole text as
// the dialog says.
void PrintThroughDialog(QWidget* parent, const QTextDocument& whole, const QTextDocument* selected,
                        const FaceBlockPainter* faces = nullptr);

}  // namespace qm::gui
