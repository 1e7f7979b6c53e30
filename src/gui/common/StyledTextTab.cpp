// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/StyledTextTab.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace qm::gui {
namespace {

const QTextDocument* BoxDocument(QWidget* box) {
  if (auto* rich = qobject_cast<QTextEdit*>(box)) return rich->document();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) return plain->document();
  return nullptr;
}

QTextCursor BoxCursor(QWidget* box) {
  if (auto* rich = qobject_cast<QTextEdit*>(box)) return rich->textCursor();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) return plain->textCursor();
  return {};
}

}  // namespace

void StyledTextTab::SetStyle(TextStyle style, bool on) {
  switch (style) {
    case TextStyle::Bold:
      flags_.bold = on;
      break;
    case TextStyle::Italic:
      flags_.italic = on;
      break;
    case TextStyle::Underline:
      flags_.underline = on;
      break;
  }
  ApplyStyle(style, on);
}

void StyledTextTab::SetAlignment(bool centred) {
  flags_.centred = centred;
  ApplyAlignment(centred);
}

std::unique_ptr<QTextDocument> StyledTextTab::TextCopy(bool selectedOnly) const {
  const QTextDocument* source = BoxDocument(StyledBox());
  if (!source) return nullptr;
  if (!selectedOnly) return std::unique_ptr<QTextDocument>(source->clone());
  const QTextCursor cursor = BoxCursor(StyledBox());
  if (!cursor.hasSelection()) return nullptr;
  auto copy = std::make_unique<QTextDocument>();
  copy->setDefaultFont(source->defaultFont());
  QTextCursor(copy.get()).insertFragment(cursor.selection());
  return copy;
}

void StyledTextTab::ApplyStyle(TextStyle style, bool on) {
  SetWholeTextStyle(StyledBox(), style, on);
}

void StyledTextTab::ApplyAlignment(bool centred) {
  if (centred)
    CentreWholeText(StyledBox());
  else
    AlignWholeTextLeft(StyledBox());
}

void StyledTextTab::ApplyColour(const QColor& colour) { SetWholeTextColour(StyledBox(), colour); }

void StyledTextTab::ApplySize(int points) { SetWholeTextSize(StyledBox(), points); }

}  // namespace qm::gui
