// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real mouse input on a list, as a person gives it: at the entry's place on
// the screen, through the list's viewport.

#include <QListWidget>
#include <QTest>

namespace qm::test {

inline void ClickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  list->scrollToItem(list->item(row));
  QTest::mouseClick(list->viewport(), button, modifiers,
                    list->visualItemRect(list->item(row)).center());
}

}  // namespace qm::test
