// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's toolbar and pop-up menus, built from the tables of
// Commands.h: each button and item named by its key or caption.

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace qm::gui {

// The toolbar with every button of kToolbar in order, each with its
// shortcut and tip; the alignment buttons exclusive, left alignment pressed.
QToolBar* AddCommandToolbar(QMainWindow* window);

// The toolbar's button named by key.
QAction* ToolbarButton(const QToolBar* toolbar, const char* key);

// The menus of kMenus, owned by owner, by caption.
QHash<QString, QMenu*> CreatePopupMenus(QWidget* owner);

}  // namespace qm::gui
