// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Icons.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QPixmap>
#include <QRawFont>

#include "gui/common/BaseFormat.h"

namespace qm::gui {
namespace {

// Drawn once, at the largest size asked for; the icon scales it down for
// the smaller ones. Each size would be a font request of its own.
constexpr int kToolbarIconSize = 32;

// A face known to be installed that has letter, asked for without fallback:
// a request the toolkit cannot answer from one face makes it try the
// installed families one by one, which takes seconds with thousands of
// fonts. The interface's own face first, then the base face of the text
// boxes; when neither has the letter, the interface's face draws a box.
QFont LetterFace(const QString& letter, QFont style, int pixelSize) {
  static const QString interfaceFace = QFontInfo(QApplication::font()).family();
  style.setStyleStrategy(QFont::NoFontMerging);
  style.setPixelSize(pixelSize);
  for (const QString& face : {interfaceFace, BaseFaceFamily()}) {
    style.setFamilies({face});
    // Asked for no script in particular: asked for a script its face lacks,
    // the toolkit would answer with another family's face.
    if (QRawFont::fromFont(style).supportsCharacter(letter.toUcs4().value(0))) return style;
  }
  style.setFamilies({interfaceFace});
  return style;
}

QPixmap LetterPixmap(const QString& letter, const QFont& style, int size, const QColor& ink) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(LetterFace(letter, style, size * 3 / 4));
  painter.setPen(ink);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
  return pixmap;
}

}  // namespace

// The standard picture is made only when the theme lacks one: making it
// decodes its image files at every size.
QIcon ThemeIcon(const QString& themeName) {
  if (QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
  // Themes of late keep many actions only in their one-colour form.
  const QString symbolic = themeName + QStringLiteral("-symbolic");
  if (QIcon::hasThemeIcon(symbolic)) return QIcon::fromTheme(symbolic);
  if (const QString own = QStringLiteral(":/icons/fallback/%1.svg").arg(themeName);
      QFile::exists(own))
    return QIcon(own);
  return {};
}

QIcon ThemeOrStandardIcon(const QString& themeName, QStyle::StandardPixmap fallback) {
  if (QIcon themed = ThemeIcon(themeName); !themed.isNull()) return themed;
  return QApplication::style()->standardIcon(fallback);
}

QIcon ThemeOrLetterIcon(const QString& themeName, const QString& letter, const QFont& font) {
  if (QIcon themed = ThemeIcon(themeName); !themed.isNull()) return themed;
  return QIcon(
      LetterPixmap(letter, font, kToolbarIconSize, QApplication::palette().color(QPalette::Text)));
}

void UseDesktopIconThemeAsFallback() {
  // A desktop's own theme inherits from it; without a desktop (no theme
  // named), it is the one most distributions install.
  if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == u"hicolor")
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

QIcon IconOfSize(const QIcon& icon, int size) {
  const QPixmap largest = icon.pixmap(size);
  if (largest.isNull()) return icon;
  QPixmap square(size, size);
  square.fill(Qt::transparent);
  QPainter painter(&square);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QPixmap scaled = largest.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  painter.drawPixmap((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
  painter.end();
  return QIcon(square);
}

// The picture the desktop shows for the program, built in.
QIcon ApplicationIcon() { return QIcon(QStringLiteral(":/icons/quillmere.svg")); }

}  // namespace qm::gui
