// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on the test fonts, and the presses a
// person makes on it: tabs, toolbar buttons, pop-up menu items, buttons,
// typing into a box. Messages are collected instead of shown.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMenu>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/ToolbarInput.h"

namespace qm::test {

class MainWindowInputTest : public testing::Test {
 protected:
  void SetUp() override {
    gui::SetMessageHandler([this](const gui::Message& message) { messages << message; });
  }
  // Starts the window with storedSize as the stored sample size, if given.
  void Start(const QString& storedSize = {}) {
    if (!storedSize.isEmpty()) QSettings().setValue("设置/字体大小", storedSize);
    window.Startup();
  }
  void TearDown() override {
    gui::SetMessageHandler(nullptr);
    QSettings().clear();
  }

  template <typename T>
  static T* ChildOf(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  template <typename T>
  T* Child(const char* name) {
    return ChildOf<T>(&window, name);
  }
  gui::FontNameList* List() { return Child<gui::FontNameList>("List1"); }

  void ClickTab(int tab) {
    QTabBar* bar = Child<QTabWidget>("SSTab1")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
  }
  static void ClickToolbarButton(QToolBar* toolbar, const QString& key) {
    QAction* button = toolbar->findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
    ASSERT_NE(button, nullptr) << key.toStdString();
    QTest::mouseClick(toolbar->widgetForAction(button), Qt::LeftButton);
  }
  // The toolbar button that pops the menu up, then the item in it.
  void ChooseMenuItem(const QString& button, const QString& menu, const QString& item) {
    ClickToolbarButton(Child<QToolBar>("tbToolBar"), button);
    ClickMenuItem(Child<QMenu>(qPrintable(menu)), item);
  }
  static void Click(QObject* parent, const char* button) {
    QTest::mouseClick(ChildOf<QAbstractButton>(parent, button), Qt::LeftButton);
  }
  // Replaces the custom text with text typed at the keyboard; "\n" is Return.
  void TypeCustomText(const QString& text) {
    QTextEdit* box = Child<QTextEdit>("RichTextBox3");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    const QStringList paragraphs = text.split(u'\n');
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
      if (i > 0) QTest::keyClick(box, Qt::Key_Return);
      // A key per character, with the character as its text: keyClicks
      // knows only ASCII keys.
      for (const QChar character : paragraphs[i])
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), {});
    }
  }

  QList<gui::Message> messages;
  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  gui::FaceEngine windowFaces;
  gui::MainWindow window{platform, windowFaces};
};

}  // namespace qm::test
