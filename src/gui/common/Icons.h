// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures for the toolbar and the window: the desktop's icon theme first,
// then the program's own pictures, the style's standard icons, and a letter
// drawn for the purpose.

#include <QIcon>
#include <QStyle>

namespace qm::gui {

// The theme's icon of that name, or of its one-colour form ("…-symbolic"),
// or the program's own picture of that name; a null icon when none is.
QIcon ThemeIcon(const QString& themeName);
QIcon ThemeOrStandardIcon(const QString& themeName, QStyle::StandardPixmap fallback);
// A theme icon, or one letter drawn in the given style (bold "B", italic "I", …).
QIcon ThemeOrLetterIcon(const QString& themeName, const QString& letter, const QFont& font);
QIcon ApplicationIcon();
// icon drawn size pixels square, however small its largest picture: a
// theme may have some pictures only at smaller sizes than others.
QIcon IconOfSize(const QIcon& icon, int size);
// Icons a theme in use lacks come from the common desktop theme, when installed.
void UseDesktopIconThemeAsFallback();

}  // namespace qm::gui
