// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real mouse input on a list, as a person gives it: at the entry's place on
// the screen, through the list's viewport.

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QTest>

namespace qm::test {

inline void ClickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  list->scrollToItem(list->item(row));
  QTest::mouseClick(list->viewport(), button, modifiers,
                    list->visualItemRect(list->item(row)).center());
}

// A click on a line of an item view, scrolled to first.
inline void ClickLine(QAbstractItemView* view, int line, Qt::KeyboardModifiers modifiers = {}) {
  const QModelIndex index = view->model()->index(line, 0);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(index).center());
}

// Text as a person types it through an input method: Chinese is composed
// there and committed to the widget in one event.
inline void CommitText(QWidget* widget, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(widget, &commit);
}

}  // namespace qm::test
