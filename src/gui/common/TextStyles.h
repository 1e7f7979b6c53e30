// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Restyling the whole text of a rich-text box (a QTextEdit or a
// QPlainTextEdit), never just the user's selection.

#include <QColor>

class QTextEdit;
class QWidget;

namespace qm::gui {

// What each restylable box remembers of its styles; the toolbar is set
// from it whenever the box's tab is shown.
struct TextStyleFlags {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool centred = false;
};

enum class TextStyle { Bold, Italic, Underline };

// These keep the caret where it was, with nothing selected.
void SetWholeTextStyle(QWidget* box, TextStyle style, bool on);
void SetWholeTextColour(QWidget* box, const QColor& colour);
// The box is not redrawn until every line has its new size.
void SetWholeTextSize(QWidget* box, int points);
void AlignWholeTextLeft(QWidget* box);
// Centres the whole text and leaves the caret at its end.
void CentreWholeText(QWidget* box);

// Sets the face of the whole text to a listed family's own face and leaves
// the caret at the start; sizes, colours and styles stay as they are.
void SetWholeTextFace(QTextEdit* box, const QString& family);

}  // namespace qm::gui
