// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real mouse input on a tree, as a person gives it: the node's ancestors
// opened, the node scrolled to and clicked at its place on the screen.

#include <QTest>
#include <QTreeWidget>

namespace qm::test {

inline void ClickNode(QTreeWidget* tree, QTreeWidgetItem* node) {
  for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
    parent->setExpanded(true);
  tree->scrollToItem(node);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                    tree->visualItemRect(node).center());
}

}  // namespace qm::test
