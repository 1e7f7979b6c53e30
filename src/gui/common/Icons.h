// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures for the toolbar and the window: the desktop's icon theme first,
// then the style's standard icons, then a letter drawn for the purpose.

#include <QIcon>
#include <QStyle>

namespace qm::gui {

QIcon ThemeOrStandardIcon(const QString& themeName, QStyle::StandardPixmap fallback);
// A theme icon, or one letter drawn in the given style (bold "B", italic "I", …).
QIcon ThemeOrLetterIcon(const QString& themeName, const QString& letter, const QFont& font);
QIcon ApplicationIcon();

}  // namespace qm::gui
