// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/coverage/MissingMarks.h"

#include <QTextEdit>

#include "core/coverage/ChineseCoverage.h"

namespace qm::gui {
namespace {

QTextCharFormat MarkFormat() {
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  format.setUnderlineColor(Qt::red);
  format.setBackground(QColor(255, 220, 220));
  return format;
}

}  // namespace

MissingMarks::MissingMarks(QTextEdit* box) : QObject(box), box_(box) {
  connect(box_, &QTextEdit::textChanged, this, &MissingMarks::Mark);
}

void MissingMarks::SetCharacters(platform::CodePointSet characters) {
  characters_ = std::move(characters);
  known_ = true;
  Mark();
}

int MissingMarks::MarkedRuns() const { return static_cast<int>(box_->extraSelections().size()); }

void MissingMarks::Mark() {
  QList<QTextEdit::ExtraSelection> marks;
  // Positions in the document count UTF-16 units, as the plain text does.
  const QString text = known_ ? box_->document()->toPlainText() : QString();
  const QTextCharFormat format = MarkFormat();
  for (qsizetype at = 0; at < text.size();) {
    const bool pair =
        text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    const char32_t c = pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
    const qsizetype length = pair ? 2 : 1;
    if (coverage::NeedsGlyph(c) && !characters_.Has(c)) {
      // Neighbouring missing characters make one mark.
      if (!marks.isEmpty() && marks.last().cursor.selectionEnd() == at) {
        marks.last().cursor.setPosition(static_cast<int>(at + length), QTextCursor::KeepAnchor);
      } else {
        QTextCursor cursor(box_->document());
        cursor.setPosition(static_cast<int>(at));
        cursor.setPosition(static_cast<int>(at + length), QTextCursor::KeepAnchor);
        marks.append({cursor, format});
      }
    }
    at += length;
  }
  box_->setExtraSelections(marks);
}

}  // namespace qm::gui
