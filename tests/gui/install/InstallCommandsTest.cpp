// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's two ways to the install dialog: the toolbar button
// "添加" and the font-folder menu's "安装新的字体".
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/Dialogs.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

class InstallCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHandler([](const Message&) {});
    window.Startup();
  }
  void TearDown() override { SetMessageHandler(nullptr); }

  // Once the dialog runs, notes its title and presses its "关闭".
  void CloseTheDialogWhenItOpens() {
    QTimer::singleShot(0, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      titles << dialog->windowTitle();
      QTest::mouseClick(dialog->findChild<QPushButton*>("Command3"), Qt::LeftButton);
    });
  }

  QStringList titles;
  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
};

TEST_F(InstallCommandsTest, TheAddButtonAndTheMenuItemOpenTheInstallDialog) {
  const QString title = QStringLiteral("字体浏览、字体安装--Quillmere");
  QAction* add = test::ToolbarButton(window, 9);
  ASSERT_EQ(add->objectName(), QString::fromUtf8(keys::kAdd));
  CloseTheDialogWhenItOpens();
  QTest::mouseClick(window.findChild<QToolBar*>("tbToolBar")->widgetForAction(add), Qt::LeftButton);
  EXPECT_EQ(titles, QStringList{title});

  QMenu* menu = window.findChild<QMenu*>(QString::fromUtf8(keys::kFontFolderMenu));
  QAction* item = menu->findChild<QAction*>(QString::fromUtf8(keys::kInstallNewFonts));
  ASSERT_NE(item, nullptr);
  menu->popup(window.mapToGlobal(QPoint(40, 40)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  CloseTheDialogWhenItOpens();
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
  EXPECT_EQ(titles, (QStringList{title, title}));
}

}  // namespace
}  // namespace qm::gui
