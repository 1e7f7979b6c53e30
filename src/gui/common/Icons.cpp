// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

namespace qm::gui {
namespace {

QPixmap LetterPixmap(const QString& letter, QFont font, int size, const QColor& ink) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  font.setPixelSize(size * 3 / 4);
  painter.setFont(font);
  painter.setPen(ink);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
  return pixmap;
}

}  // namespace

QIcon ThemeOrStandardIcon(const QString& themeName, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(themeName, QApplication::style()->standardIcon(fallback));
}

QIcon ThemeOrLetterIcon(const QString& themeName, const QString& letter, const QFont& font) {
  if (QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
  QIcon icon;
  for (int size : {16, 24, 32})
    icon.addPixmap(LetterPixmap(letter, font, size, QApplication::palette().color(QPalette::Text)));
  return icon;
}

// The picture the desktop shows for the program, built in.
QIcon ApplicationIcon() { return QIcon(QStringLiteral(":/icons/quillmere.svg")); }

}  // namespace qm::gui
