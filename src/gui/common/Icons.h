// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures for the toolbar and the window: the desktop's icon theme first,
// then the style's standard icons, then a letter drawn for the purpose.

#include <QIcon>
#include <QStyle>

namespace qm::gui {

// The theme's icon of that name, or of its one-colour form ("…-symbolic");
// a null icon when the theme has neither.
QIcon ThemeIcon(const QString& themeName);
QIcon ThemeOrStandardIcon(const QString& themeName, QStyle::StandardPixmap fallback);
// A theme icon, or one letter drawn in the given style (bold "B", italic "I", …).
QIcon ThemeOrLetterIcon(const QString& themeName, const QString& letter, const QFont& font);
QIcon ApplicationIcon();
// Icons a theme in use lacks come from the common desktop theme, when installed.
void UseDesktopIconThemeAsFallback();

}  // namespace qm::gui
