// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/BaseFormat.h"

#include <QTextEdit>

namespace qm::gui {
namespace {

QString& BaseFamily() {
  static QString family = kBaseFace;
  return family;
}

}  // namespace

const QString& BaseFaceFamily() { return BaseFamily(); }

void SetBaseFaceFamily(const QString& family) { BaseFamily() = family; }

QTextCharFormat BaseFormat() {
  QTextCharFormat format;
  format.setFontFamilies({BaseFaceFamily()});
  format.setFontPointSize(kBasePointSize);
  format.setForeground(Qt::black);
  format.setFontWeight(QFont::Normal);
  format.setFontItalic(false);
  format.setFontUnderline(false);
  return format;
}

void SetBaseFormat(QTextEdit* box) {
  box->document()->setDefaultFont(QFont(BaseFaceFamily(), kBasePointSize));
  box->setCurrentCharFormat(BaseFormat());
}

}  // namespace qm::gui
