// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/FontSample.h"

#include <QTextCursor>
#include <QTextEdit>

#include "gui/common/BaseFormat.h"
#include "gui/common/FaceText.h"

namespace qm::gui {
namespace {

// Appends text in family's face with the format in effect at the end,
// changed by change; the box draws it in the face.
template <typename Change>
void AppendWith(QTextCursor& cursor, const QString& text, const ListedFamily& family,
                Change change) {
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat format = cursor.charFormat();
  MarkListedFace(format, family.real);
  change(format);
  cursor.insertText(text, format);
}

}  // namespace

void ShowFontEffect(QTextEdit* box, const ListedFamily& family, const QString& file) {
  QTextCursor cursor(box->document());
  // One edit, so that the box lays the sample out once, not once per line.
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();
  cursor.insertText(QStringLiteral("文件名：") + file, BaseFormat());

  const QString& name = family.shown;
  const int sizeAtCaret = qRound(cursor.charFormat().fontPointSize());
  // Joined, not formatted: a "%1" in the name is text.
  AppendWith(cursor,
             QStringLiteral("  字体名：") + name + QStringLiteral(" (正常体") +
                 QString::number(sizeAtCaret) + u')',
             family, [](QTextCharFormat&) {});

  const QString lineBreak = QStringLiteral("\r\n");
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (正常体20)"), family,
             [](QTextCharFormat& f) { f.setFontPointSize(kSamplePointSize); });
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (粗体20)"), family,
             [](QTextCharFormat& f) {
               f.setFontPointSize(kSamplePointSize);
               f.setFontWeight(QFont::Bold);
               f.setForeground(QColor(255, 0, 0));
             });
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (斜体20)"), family,
             [](QTextCharFormat& f) {
               f.setFontPointSize(kSamplePointSize);
               f.setFontItalic(true);
               f.setForeground(QColor(0, 0, 255));
             });
  AppendWith(cursor, lineBreak + name + QStringLiteral(" (下划线体20)"), family,
             [](QTextCharFormat& f) {
               f.setFontPointSize(kSamplePointSize);
               f.setFontUnderline(true);
               f.setForeground(QColor(0, 255, 0));
             });
  cursor.endEditBlock();

  QTextCursor top(box->document());
  box->setTextCursor(top);
}

}  // namespace qm::gui
