// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/common/FramePump.h"
#include "gui/find/FindList.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/TrayIcon.h"
#include "gui/sheet/SampleSheet.h"
#include "support/Input.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHandler([this](const Message& message) { messages << message.text; });
  }
  void TearDown() override {
    SetMessageHandler(nullptr);
    QSettings().clear();
  }
  template <typename T>
  T* Child(const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString Text(const char* label) { return Child<QLabel>(label)->text(); }
  FontNameList* List() { return Child<FontNameList>("List1"); }
  QString Sample() { return Child<QTextEdit>("RichTextBox1")->toPlainText(); }
  QString CustomFace() {
    QTextCursor end(Child<QTextEdit>("RichTextBox3")->document());
    end.movePosition(QTextCursor::End);
    return end.charFormat().fontFamilies().toStringList().value(0);
  }
  void ShowTab(int tab) { Child<QTabWidget>("SSTab1")->setCurrentIndex(tab); }
  // 帮助 pops up the main menu, which holds 退出.
  void ChooseExit() {
    test::PressToolbarButton(window, 20);
    test::ClickMenuItem(Child<QMenu>("菜单"), "退出");
  }
  QStringList Entries() {
    QStringList entries;
    auto* list = Child<QListWidget>("List1");
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    return entries;
  }

  QStringList messages;
  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
};

// As the program starts: the families are read while the window is built.
TEST_F(MainWindowTest, StartupListsTheInstalledFamiliesAndNamesTheSystem) {
  window.Startup(ReadInstalledFamiliesAhead(platform));
  EXPECT_EQ(window.windowTitle(), "Quillmere-Brindlewood");
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(Entries(), (QStringList{"测试黑体", "Quillmere Pair One", "Quillmere Pair Two",
                                    "Quillmere Test Sans", "Quillmere Test Sans Light",
                                    "Quillmere Test Serif", "Sun & Moon", "Tom's Type"}));
  EXPECT_EQ(Text("Label1"), "字体总数：8");
  EXPECT_TRUE(Text("Label7").startsWith("操作系统："));
  EXPECT_EQ(window.SampleFontSize(), 30);
  EXPECT_EQ(Child<QTextEdit>("RichTextBox1")->toPlainText(),
            "使用方法：\n1、扫描：扫描系统所有字体名称\n2、字型：显示所有字体的实际字型");
  EXPECT_EQ(window.findChild<gui::TrayIcon*>()->Tip(), "Quillmere");
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, EveryListedNameDrawsInItsOwnFace) {
  window.Startup();
  for (const QString& name : Entries())
    EXPECT_TRUE(QFontDatabase::hasFamily(name)) << name.toStdString();
}

TEST_F(MainWindowTest, AFontInstalledWhileRunningAppearsAndDrawsAfterAScan) {
  window.Startup();
  const std::string source = test::TestEnvironment::Current().SourceFont("many/QmMany-00001.ttf");
  const std::string late = test::TestEnvironment::Current().UserFontsFolder() + "/Late.ttf";
  std::filesystem::copy_file(source, late);
  const std::shared_ptr<void> removeLate(nullptr, [&](void*) { std::filesystem::remove(late); });
  EXPECT_FALSE(QFontDatabase::hasFamily("Quillmere Many 00001"));
  test::PressToolbarButton(window, 1);
  EXPECT_TRUE(Entries().contains("Quillmere Many 00001"));
  EXPECT_EQ(Text("Label1"), "字体总数：9");
  EXPECT_TRUE(QFontDatabase::hasFamily("Quillmere Many 00001"));
}

TEST_F(MainWindowTest, ASettingThatIsNoNumberIsReportedOnceAtTheEnd) {
  QSettings settings;
  settings.setValue("设置/字体大小", "big");
  settings.sync();
  window.Startup();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages.front(), "打开错误：类型不匹配\r\n请与软件作者联系！");
  EXPECT_EQ(window.SampleFontSize(), 30);
  EXPECT_EQ(Text("Label1"), "字体总数：8");  // the start-up went on
}

TEST_F(MainWindowTest, AStoredSizeNoTextCanHaveKeepsTheDefault) {
  for (const char* stored : {"0", "-12"}) {
    QSettings().setValue("设置/字体大小", stored);
    FaceEngine anotherFaces;
    MainWindow another(platform, anotherFaces);
    another.Startup();
    EXPECT_EQ(another.SampleFontSize(), 30) << stored;
  }
}

TEST_F(MainWindowTest, AStoredSizeIsRead) {
  QSettings().setValue("设置/字体大小", "18");
  window.Startup();
  EXPECT_EQ(window.SampleFontSize(), 18);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, ToolbarHasItsTwentyPositionsAndHiddenMenus) {
  const QStringList keys = {"扫描",   "字型", "停止", "", "查找", "打印", "",
                            "打开",   "添加", "删除", "", "黑体", "斜体", "下划线",
                            "左对齐", "置中", "大小", "", "下载", "帮助"};
  for (int position = 1; position <= kToolbarPositions; ++position) {
    QAction* button = test::ToolbarButton(window, position);
    const QString& key = keys[position - 1];
    SCOPED_TRACE(position);
    if (key.isEmpty()) {
      EXPECT_EQ(button, nullptr);
      continue;
    }
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), key);
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->isCheckable(), position >= 12 && position <= 16);
  }
  EXPECT_EQ(test::ToolbarButton(window, 1)->toolTip(), "扫描系统字体（F5）");
  EXPECT_EQ(test::ToolbarButton(window, 17)->toolTip(), "设置字型列表文字大小和颜色（F8）");
  EXPECT_TRUE(test::ToolbarButton(window, 15)->isChecked());
  test::PressToolbarButton(window, 16);
  EXPECT_FALSE(test::ToolbarButton(window, 15)->isChecked());

  EXPECT_FALSE(window.menuBar()->isVisible());
  QStringList items;
  for (QAction* item : window.findChild<QMenu*>("菜单")->actions())
    items << (item->isSeparator() ? "-" : item->text());
  EXPECT_EQ(items,
            (QStringList{"作者主页", "作者的其他软件", "最新版本", "帮助", "关于", "-", "退出"}));
  for (const char* caption : {"字体", "字体文件夹", "打印菜单", "list菜单"})
    EXPECT_NE(window.findChild<QMenu*>(caption), nullptr) << caption;
}

TEST_F(MainWindowTest, ClickingAFamilyShowsItsOrdinalAndSampleOnTheFirstTab) {
  window.Startup();
  test::ClickRow(List(), 3);
  EXPECT_EQ(Text("Label3"), "第4种字体");
  EXPECT_TRUE(Sample().startsWith(
      "文件名：QmTestSans-Regular.ttf  字体名：Quillmere Test Sans (正常体12)\n"));

  // A second click on the same entry rewrites a sample the user edited.
  Child<QTextEdit>("RichTextBox1")->setPlainText("edited");
  test::ClickRow(List(), 3);
  EXPECT_TRUE(Sample().startsWith("文件名：QmTestSans-Regular.ttf"));
}

TEST_F(MainWindowTest, EveryKeyThatMovesInTheListChoosesTheEntryItReaches) {
  window.Startup();
  test::ClickRow(List(), 0);
  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_EQ(Text("Label3"), "第2种字体");
  EXPECT_TRUE(Sample().contains("Quillmere Pair One (正常体20)"));
  QTest::keyClick(List(), Qt::Key_End);
  EXPECT_EQ(Text("Label3"), "第8种字体");
  QTest::keyClick(List(), Qt::Key_Home);
  EXPECT_EQ(Text("Label3"), "第1种字体");
  QTest::keyClick(List(), Qt::Key_PageDown);
  EXPECT_NE(Text("Label3"), "第1种字体");
  QTest::keyClicks(List(), "Tom");
  EXPECT_EQ(Text("Label3"), "第8种字体");
  EXPECT_TRUE(Sample().contains("Tom's Type (下划线体20)"));
}

TEST_F(MainWindowTest, CtrlAndShiftClicksExtendTheSelectionAndChooseTheEntryClicked) {
  window.Startup();
  test::ClickRow(List(), 1);
  test::ClickRow(List(), 3, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(Text("Label3"), "第4种字体");
  EXPECT_EQ(List()->selectedItems().size(), 2);
  test::ClickRow(List(), 5, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Text("Label3"), "第6种字体");
  for (int row : {3, 4, 5}) EXPECT_TRUE(List()->item(row)->isSelected()) << row;
  EXPECT_TRUE(Sample().contains("Quillmere Test Serif (正常体20)"));
}

TEST_F(MainWindowTest, ARightClickMovesNeitherTheSelectionNorTheChosenFamily) {
  window.Startup();
  test::ClickRow(List(), 2);
  test::ClickRow(List(), 4, Qt::RightButton);
  EXPECT_EQ(Text("Label3"), "第3种字体");
  ASSERT_EQ(List()->selectedItems().size(), 1);
  EXPECT_EQ(List()->selectedItems().front()->text(), "Quillmere Pair Two");
  EXPECT_EQ(List()->ChosenRow(), 2);
}

TEST_F(MainWindowTest, FindingTheEntryAlreadyShownRebuildsItsSample) {
  window.Startup();
  test::ClickRow(List(), 6);
  Child<QTextEdit>("RichTextBox1")->setPlainText("edited");
  FindList find(List());
  find.show();
  QTest::keyClicks(find.findChild<QLineEdit*>("Text1"), "Sun");
  QTest::mouseClick(find.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(Text("Label3"), "第7种字体");
  EXPECT_TRUE(Sample().contains("Sun & Moon (粗体20)"));
}

TEST_F(MainWindowTest, NothingButAPersonOrASearchChoosesAFamily) {
  // A focused list being filled, focus arriving and switching tabs choose
  // nothing, so the custom text keeps its face.
  List()->setFocus();
  window.Startup();
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QCoreApplication::sendEvent(List(), &focusIn);
  ShowTab(2);
  ShowTab(0);
  EXPECT_EQ(Text("Label3"), "第0种字体");
  EXPECT_EQ(List()->ChosenRow(), -1);
  EXPECT_TRUE(Sample().startsWith("使用方法："));
  EXPECT_EQ(CustomFace(), BaseFaceFamily());

  // A rescan forgets the chosen family: its row may hold another name now.
  test::ClickRow(List(), 1);
  test::PressToolbarButton(window, 1);
  EXPECT_EQ(List()->ChosenRow(), -1);
}

TEST_F(MainWindowTest, EverySizeOfTheWindowIsTheSizeDrawn) {
  window.Startup();
  EXPECT_EQ(QFontInfo(List()->font()).pointSizeF(), 10.5);
  auto* sheet = Child<SheetView>("RichTextBox2");
  EXPECT_EQ(sheet->font().pointSizeF(), 12);
  EXPECT_EQ(sheet->font().family(), BaseFaceFamily());
  EXPECT_EQ(sheet->Look().points, 12);
  EXPECT_EQ(Child<QTabWidget>("SSTab1")->font().pointSizeF(), 9);
}

TEST_F(MainWindowTest, TheToolbarCannotBeHiddenOrMoved) {
  window.Startup();
  auto* toolbar = Child<QToolBar>("tbToolBar");
  bool menuShown = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menuShown = true;
      popup->close();
    }
  });
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2),
                               toolbar->mapToGlobal(QPoint(2, 2)));
  QCoreApplication::sendEvent(toolbar, &rightClick);
  QCoreApplication::processEvents();
  EXPECT_FALSE(menuShown);
  EXPECT_FALSE(toolbar->isMovable());
  EXPECT_TRUE(toolbar->isVisible());
}

TEST_F(MainWindowTest, OnTheCustomTabAClickSetsTheFaceOfTheWholeText) {
  window.Startup();
  auto* tabs = Child<QTabWidget>("SSTab1");
  auto* custom = Child<QTextEdit>("RichTextBox3");
  auto* sample = Child<QTextEdit>("RichTextBox1");
  tabs->setCurrentIndex(2);
  test::ClickRow(List(), 0);
  EXPECT_EQ(Text("Label3"), "第1种字体");
  EXPECT_EQ(custom->toPlainText(), "请在此输入您的文字，看看各种效果！");
  EXPECT_EQ(CustomFace(), "测试黑体");
  EXPECT_EQ(sample->toPlainText().left(5), "使用方法：");  // the sample was not touched

  tabs->setCurrentIndex(1);
  test::ClickRow(List(), 1);
  EXPECT_EQ(Text("Label3"), "第2种字体");
  EXPECT_EQ(sample->toPlainText().left(5), "使用方法：");
  tabs->setCurrentIndex(0);  // back on the first tab the chosen font is shown
  EXPECT_TRUE(sample->toPlainText().contains("Quillmere Pair One (粗体20)"));
}

// "置中" centres the custom text in its box, as on the sheet; lines still
// do not wrap.
TEST_F(MainWindowTest, CentringTheCustomTextCentresItInTheBox) {
  window.resize(1000, 700);
  window.show();
  window.Startup();
  QTabBar* tabs = Child<QTabWidget>("SSTab1")->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  auto* custom = Child<QTextEdit>("RichTextBox3");
  const auto press = [&](int position) {
    QWidget* button = test::ToolbarButtonWidget(window, position);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  };
  const auto lineStart = [custom] {
    return custom->cursorRect(QTextCursor(custom->document())).left();
  };
  const int left = lineStart();
  press(16);  // 置中
  const int quarter = custom->viewport()->width() / 4;
  EXPECT_GT(lineStart(), left + quarter);
  QTest::keyClick(custom, Qt::Key_End);
  QTest::keyClicks(custom, QStringLiteral("xyz"));
  EXPECT_GT(lineStart(), left + quarter);
  // Delete is the key of 删除 too; in the text it deletes a character.
  QTest::keyClick(custom, Qt::Key_Left);
  QTest::keyClick(custom, Qt::Key_Delete);
  EXPECT_TRUE(custom->toPlainText().endsWith("xy"));
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  EXPECT_GT(lineStart(), left + quarter);
  press(15);  // 左对齐
  EXPECT_EQ(lineStart(), left);
  // A line longer than the box stays one line.
  QTest::keyClicks(custom, QString(300, u'x'));
  EXPECT_EQ(custom->document()->firstBlock().layout()->lineCount(), 1);
  EXPECT_GT(custom->horizontalScrollBar()->maximum(), 0);
}

// At the window's smallest the one-font sample still shows its five lines
// whole; in a window wide enough for the coverage line on one line, the
// first family shown moves nothing below the sample.
TEST_F(MainWindowTest, TheSampleShowsItsFiveLinesAndTheFirstFamilyMovesNothing) {
  window.Startup();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto* sample = Child<QTextEdit>("RichTextBox1");
  auto* sheet = Child<SheetView>("RichTextBox2");
  window.resize(2400, 1000);
  QCoreApplication::processEvents();
  const QPoint sheetAt = sheet->mapTo(&window, QPoint(0, 0));
  test::ClickRow(List(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(sheet->mapTo(&window, QPoint(0, 0)), sheetAt);

  window.resize(window.minimumSizeHint().expandedTo(window.minimumSize()));
  QCoreApplication::processEvents();
  test::ClickRow(List(), 1);
  QCoreApplication::processEvents();
  EXPECT_TRUE(sample->toPlainText().contains("(下划线体20)"));
  EXPECT_EQ(sample->verticalScrollBar()->maximum(), 0);
}

// The family list widens with the window, a drag of the bar beside it
// widens it further, and the next start gives that width back.
TEST_F(MainWindowTest, TheListWidensWithTheWindowAndKeepsTheWidthDraggedTo) {
  window.resize(960, 680);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto* frame = Child<QWidget>("Frame1");
  const int narrow = frame->width();
  window.resize(1800, 680);
  QCoreApplication::processEvents();
  const int wide = frame->width();
  EXPECT_GT(wide, narrow);

  QSplitterHandle* bar = Child<QSplitter>("Splitter1")->handle(1);
  const QPoint grip = bar->rect().center();
  QTest::mousePress(bar, Qt::LeftButton, {}, grip);
  QTest::mouseMove(bar, grip + QPoint(150, 0));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(150, 0));
  EXPECT_NEAR(frame->width(), wide + 150, 2);

  FaceEngine againFaces;
  MainWindow again{platform, againFaces};
  again.resize(1800, 680);
  again.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
  EXPECT_NEAR(again.findChild<QWidget*>("Frame1")->width(), wide + 150, 2);
}

TEST_F(MainWindowTest, ClosingHidesWithANotificationAreaAndMinimizesWithout) {
  window.Startup();
  window.SetTrayAvailable(true);
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.IsQuitting());

  window.show();
  window.SetTrayAvailable(false);
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.isMinimized());
}

TEST_F(MainWindowTest, ALeftClickOnTheIconBringsTheWindowBackAndTipsAreCut) {
  window.Startup();
  window.SetTrayAvailable(true);
  window.close();
  ASSERT_FALSE(window.isVisible());
  auto* icon = window.findChild<QSystemTrayIcon*>();
  ASSERT_NE(icon, nullptr);
  emit icon->activated(QSystemTrayIcon::Context);
  EXPECT_FALSE(window.isVisible());
  emit icon->activated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(window.isVisible());
  emit icon->activated(QSystemTrayIcon::Trigger);  // already shown: stays so
  EXPECT_TRUE(window.isVisible());

  window.findChild<gui::TrayIcon*>()->SetTrayTip(QString(70, 'x'));
  EXPECT_EQ(window.findChild<gui::TrayIcon*>()->Tip(), QString(64, 'x'));
}

TEST_F(MainWindowTest, ExitChosenDuringStartupEndsItWithoutTheIcon) {
  ChooseExit();  // its timer runs out while start-up lets events run
  std::this_thread::sleep_for(std::chrono::milliseconds(3 * MainWindow::kExitDelayMs));
  window.Startup();
  EXPECT_TRUE(window.IsQuitting());
  EXPECT_FALSE(window.findChild<gui::TrayIcon*>()->IsAdded());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, ExitEndsTheProgramAfterTheTimerAndRemovesTheIcon) {
  window.Startup();
  ASSERT_TRUE(window.findChild<gui::TrayIcon*>()->IsAdded());
  bool endedByItself = true;
  QTimer::singleShot(0, [this] { ChooseExit(); });
  QTimer::singleShot(5000, [&] {
    endedByItself = false;
    QCoreApplication::quit();
  });
  EXPECT_FALSE(window.IsQuitting());  // nothing happens before the timer runs
  QCoreApplication::exec();
  EXPECT_TRUE(endedByItself);
  EXPECT_TRUE(window.IsQuitting());
  EXPECT_FALSE(window.findChild<gui::TrayIcon*>()->IsAdded());
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace qm::gui
