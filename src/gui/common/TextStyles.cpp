// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/TextStyles.h"

#include <QPlainTextEdit>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

#include "gui/common/ListedFaces.h"

namespace qm::gui {
namespace {

enum class CaretAfter { WhereItWas, AtEnd };

// Selects the whole text, lets change work on the selection, and puts the
// caret back (or at the end).
template <typename Box>
void ReformatWholeText(Box* box, const std::function<void(QTextCursor&)>& change,
                       CaretAfter caret) {
  const int saved = box->textCursor().position();
  QTextCursor cursor(box->document());
  cursor.select(QTextCursor::Document);
  change(cursor);
  cursor.setPosition(caret == CaretAfter::AtEnd ? box->document()->characterCount() - 1 : saved);
  box->setTextCursor(cursor);
}

void Reformat(QWidget* box, const std::function<void(QTextCursor&)>& change,
              CaretAfter caret = CaretAfter::WhereItWas) {
  if (auto* rich = qobject_cast<QTextEdit*>(box))
    ReformatWholeText(rich, change, caret);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
    ReformatWholeText(plain, change, caret);
}

void MergeCharFormat(QWidget* box, const QTextCharFormat& format) {
  Reformat(box, [&](QTextCursor& cursor) { cursor.mergeCharFormat(format); });
}

// Paragraph alignment of every paragraph, and of the document as a whole,
// which is what the plain-text layout draws by.
void AlignWholeText(QWidget* box, Qt::Alignment alignment, CaretAfter caret) {
  Reformat(
      box,
      [&](QTextCursor& cursor) {
        QTextBlockFormat paragraph;
        paragraph.setAlignment(alignment);
        cursor.mergeBlockFormat(paragraph);
        QTextDocument* document = cursor.document();
        QTextOption option = document->defaultTextOption();
        option.setAlignment(alignment);
        document->setDefaultTextOption(option);
      },
      caret);
}

}  // namespace

void SetWholeTextStyle(QWidget* box, TextStyle style, bool on) {
  QTextCharFormat format;
  switch (style) {
    case TextStyle::Bold:
      format.setFontWeight(on ? QFont::Bold : QFont::Normal);
      break;
    case TextStyle::Italic:
      format.setFontItalic(on);
      break;
    case TextStyle::Underline:
      format.setFontUnderline(on);
      break;
  }
  MergeCharFormat(box, format);
}

void SetWholeTextColour(QWidget* box, const QColor& colour) {
  QTextCharFormat format;
  format.setForeground(colour);
  MergeCharFormat(box, format);
}

void SetWholeTextSize(QWidget* box, int points) {
  QTextCharFormat format;
  format.setFontPointSize(points);
  box->setUpdatesEnabled(false);
  MergeCharFormat(box, format);
  box->setUpdatesEnabled(true);
}

void AlignWholeTextLeft(QWidget* box) {
  AlignWholeText(box, Qt::AlignLeft, CaretAfter::WhereItWas);
}

void CentreWholeText(QWidget* box) { AlignWholeText(box, Qt::AlignHCenter, CaretAfter::AtEnd); }

void SetWholeTextFace(QTextEdit* box, const QString& family) {
  QTextCursor cursor(box->document());
  cursor.select(QTextCursor::Document);
  QTextCharFormat face;
  SetListedFace(face, family);
  cursor.mergeCharFormat(face);
  cursor.clearSelection();
  cursor.movePosition(QTextCursor::Start);
  box->setTextCursor(cursor);
}

}  // namespace qm::gui
