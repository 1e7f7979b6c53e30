// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/CommandBars.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>

#include "gui/mainwindow/Commands.h"

namespace qm::gui {
namespace {

QAction* AddButton(QToolBar* toolbar, const ToolbarEntry& entry, QActionGroup* alignment) {
  QAction* button = toolbar->addAction(ToolbarIcon(entry), QString::fromUtf8(entry.key));
  button->setObjectName(QString::fromUtf8(entry.key));
  // Every button has a key, so that the window works without a mouse.
  button->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
  button->setToolTip(TipWithShortcut(QString::fromUtf8(entry.tip), button->shortcut()));
  button->setCheckable(entry.kind != ButtonKind::Push);
  if (entry.kind == ButtonKind::Alignment) alignment->addAction(button);
  return button;
}

QMenu* CreateMenu(const MenuLayout& layout, QWidget* owner) {
  const QString caption = QString::fromUtf8(layout.caption);
  auto* menu = new QMenu(caption, owner);
  menu->setObjectName(caption);
  for (const char* item : layout.items) {
    if (item)
      menu->addAction(QString::fromUtf8(item))->setObjectName(QString::fromUtf8(item));
    else
      menu->addSeparator();
  }
  return menu;
}

}  // namespace

QToolBar* AddCommandToolbar(QMainWindow* window) {
  QToolBar* toolbar = window->addToolBar(QStringLiteral("tbToolBar"));
  toolbar->setObjectName(QStringLiteral("tbToolBar"));
  toolbar->setMovable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  auto* alignment = new QActionGroup(window);
  alignment->setExclusive(true);
  for (const ToolbarEntry& entry : kToolbar) {
    if (entry.key)
      AddButton(toolbar, entry, alignment);
    else
      toolbar->addSeparator();
  }
  ToolbarButton(toolbar, keys::kAlignLeft)->setChecked(true);
  return toolbar;
}

QAction* ToolbarButton(const QToolBar* toolbar, const char* key) {
  return toolbar->findChild<QAction*>(QString::fromUtf8(key), Qt::FindDirectChildrenOnly);
}

QHash<QString, QMenu*> CreatePopupMenus(QWidget* owner) {
  QHash<QString, QMenu*> menus;
  for (const MenuLayout& layout : kMenus)
    menus.insert(QString::fromUtf8(layout.caption), CreateMenu(layout, owner));
  return menus;
}

}  // namespace qm::gui
