// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's toolbar as a person finds it: the button at a place
// counted from the left, separators included, and a mouse click on it; and
// a click on an item of the menu a button popped up.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolBar>

namespace qm::test {

inline QToolBar* MainToolbar(const QWidget& window) {
  return window.findChild<QToolBar*>(QStringLiteral("tbToolBar"));
}

// The button at a 1-based place; nullptr for a separator.
inline QAction* ToolbarButton(const QWidget& window, int position) {
  QAction* button = MainToolbar(window)->actions().value(position - 1);
  return button && !button->isSeparator() ? button : nullptr;
}

inline QWidget* ToolbarButtonWidget(const QWidget& window, int position) {
  return MainToolbar(window)->widgetForAction(ToolbarButton(window, position));
}

inline void PressToolbarButton(const QWidget& window, int position) {
  QWidget* button = ToolbarButtonWidget(window, position);
  ASSERT_NE(button, nullptr) << "toolbar place " << position;
  QTest::mouseClick(button, Qt::LeftButton);
}

// The item with the text, in the menu shown.
inline void ClickMenuItem(QMenu* menu, const QString& item) {
  ASSERT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
  for (QAction* action : menu->actions()) {
    if (action->text() != item) continue;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    return;
  }
  ADD_FAILURE() << "no item " << item.toStdString();
}

}  // namespace qm::test
