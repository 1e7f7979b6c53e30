// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/BaseFormat.h"

#include <QTextEdit>

namespace qm::gui {

QTextCharFormat BaseFormat() {
  QTextCharFormat format;
  format.setFontFamilies({kBaseFace});
  format.setFontPointSize(kBasePointSize);
  format.setForeground(Qt::black);
  format.setFontWeight(QFont::Normal);
  format.setFontItalic(false);
  format.setFontUnderline(false);
  return format;
}

void SetBaseFormat(QTextEdit* box) {
  box->document()->setDefaultFont(QFont(kBaseFace, kBasePointSize));
  box->setCurrentCharFormat(BaseFormat());
}

}  // namespace qm::gui
