// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/FontSample.h"

#include <QTextCursor>
#include <QTextEdit>

#include "gui/common/BaseFormat.h"
#include "gui/common/ListedFaces.h"

namespace qm::gui {
namespace {

// Appends text with the format in effect at the end, changed by change.
template <typename Change>
void AppendWith(QTextCursor& cursor, const QString& text, Change change) {
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat format = cursor.charFormat();
  change(format);
  InsertInOwnFace(cursor, text, format);
}

}  // namespace

void ShowFontEffect(QTextEdit* box, const ListedFamily& family, const QString& file) {
  box->clear();
  QTextCursor cursor(box->document());
  cursor.insertText(QStringLiteral("文件名：") + file, BaseFormat());

  const QString& name = family.shown;
  const auto face = [&](QTextCharFormat& f) { SetListedFace(f, family.Face()); };
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat atCaret = cursor.charFormat();
  face(atCaret);
  const int sizeAtCaret = qRound(atCaret.fontPointSize());
  // Joined, not formatted: a "%1" in the name is text.
  AppendWith(cursor,
             QStringLiteral("  字体名：") + name + QStringLiteral(" (正常体") +
                 QString::number(sizeAtCaret) + u')',
             face);

  const QString lineBreak = QStringLiteral("\r\n");
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (正常体20)"),
             [](QTextCharFormat& f) { f.setFontPointSize(kSamplePointSize); });
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (粗体20)"), [](QTextCharFormat& f) {
    f.setFontPointSize(kSamplePointSize);
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(255, 0, 0));
  });
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (斜体20)"), [](QTextCharFormat& f) {
    f.setFontPointSize(kSamplePointSize);
    f.setFontItalic(true);
    f.setForeground(QColor(0, 0, 255));
  });
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (下划线体20)"), [](QTextCharFormat& f) {
    f.setFontPointSize(kSamplePointSize);
    f.setFontUnderline(true);
    f.setForeground(QColor(0, 255, 0));
  });

  QTextCursor top(box->document());
  box->setTextCursor(top);
}

}  // namespace qm::gui
