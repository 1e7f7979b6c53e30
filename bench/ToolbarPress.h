// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's toolbar button named by its key, pressed as a click
// on it would.

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

inline void PressToolbarButton(QMainWindow& window, const char* key) {
  window.findChild<QToolBar*>(QStringLiteral("tbToolBar"))
      ->findChild<QAction*>(QString::fromUtf8(key), Qt::FindDirectChildrenOnly)
      ->trigger();
}
