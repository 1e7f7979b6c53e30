// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include "gui/common/NamedWidgets.h"

namespace qm::gui {
namespace {

QIcon RedSquare() {
  QPixmap red(64, 64);
  red.fill(Qt::red);
  return QIcon(red);
}

// A picture on a tab not shown is drawn when a person opens the tab, at the
// size its label asked for from the start.
TEST(NamedWidgetsTest, APictureIsDrawnWhenItsTabIsFirstShown) {
  QTabWidget tabs;
  tabs.addTab(new QWidget, QStringLiteral("一"));
  auto* second = new QWidget;
  int drawn = 0;
  QLabel* picture = DeferredPictureLabel(
      QStringLiteral("Image9"),
      [&drawn] {
        ++drawn;
        return RedSquare();
      },
      second);
  auto* layout = new QVBoxLayout(second);
  layout->addWidget(picture);
  layout->addStretch(1);
  tabs.addTab(second, QStringLiteral("二"));
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  EXPECT_EQ(drawn, 0);
  EXPECT_EQ(picture->sizeHint(), QSize(32, 32));

  QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(1).center());
  ASSERT_EQ(tabs.currentIndex(), 1);
  EXPECT_EQ(drawn, 1);
  EXPECT_EQ(picture->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
  EXPECT_EQ(picture->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));
  EXPECT_EQ(picture->sizeHint(), QSize(32, 32));

  QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(0).center());
  QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(1).center());
  EXPECT_EQ(drawn, 1);
}

}  // namespace
}  // namespace qm::gui
