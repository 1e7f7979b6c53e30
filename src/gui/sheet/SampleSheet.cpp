// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/sheet/SampleSheet.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "gui/common/FaceText.h"
#include "gui/common/FramePump.h"

namespace qm::gui {
namespace {

// The line's text is the box's own (the base face, which the box lays out
// at once); the family it names is drawn in its face by the box.
QTextCharFormat LineFormat(const ListedFamily& family, const TextStyleFlags& style) {
  QTextCharFormat format;
  MarkListedFace(format, family.real);
  format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(style.italic);
  format.setFontUnderline(style.underline);
  return format;
}

// The lines one screen holds, and two more for those partly shown.
qsizetype LinesPerScreen(QPlainTextEdit* sheet) {
  const qreal lineHeight = QFontMetricsF(sheet->document()->defaultFont()).lineSpacing();
  return static_cast<qsizetype>(sheet->viewport()->height() / lineHeight) + 2;
}

}  // namespace

QString SheetProgressText(qsizetype line, qsizetype total) {
  return QStringLiteral("%1/%2").arg(line).arg(total);
}

qsizetype BuildSampleSheet(QPlainTextEdit* sheet, const ListedFamilies& names,
                           const TextStyleFlags& style, QLabel* label, gui::FramePump& pump,
                           const std::function<bool()>& stopRequested) {
  sheet->clear();
  if (style.centred)
    CentreWholeText(sheet);
  else
    AlignWholeTextLeft(sheet);
  const qsizetype total = names.size();
  label->setText(SheetProgressText(total == 0 ? 0 : 1, total));

  const qsizetype screen = LinesPerScreen(sheet);
  QTextCursor cursor(sheet->document());
  cursor.movePosition(QTextCursor::End);
  // The first screen shows as it fills; the rest goes in as one edit, which
  // the box takes note of once, at the end.
  bool inEdit = false;
  qsizetype written = 0;
  while (written < total) {
    const QTextCharFormat format = LineFormat(names[written], style);
    if (written >= screen && !inEdit) {
      cursor.beginEditBlock();
      inEdit = true;
    }
    if (written > 0) cursor.insertText(QStringLiteral("\r\n"), format);
    cursor.insertText(names[written].shown, format);
    ++written;
    if (pump.Due()) {
      label->setText(SheetProgressText(written, total));
      pump.Run();
    }
    if (stopRequested()) break;
  }
  if (inEdit) cursor.endEditBlock();
  label->setText(SheetProgressText(written, total));
  return written;
}

}  // namespace qm::gui
