// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QToolTip>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/common/ListSearch.h"
#include "gui/filter/FamilyDetails.h"
#include "gui/filter/FamilyFilter.h"
#include "gui/find/FindList.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/SampleSheet.h"
#include "support/Input.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

using test::TestEnvironment;

// The test fonts and Quillmere Kai, 测试楷体 in Chinese, as a person with a
// Chinese desktop sees them.
class FamilyFilterTest : public testing::Test {
 protected:
  void SetUp() override {
    // A message a search shows is recorded, not waited on.
    SetMessageHandler([this](const Message& message) { messages << message.text; });
    window.Startup();
    field = window.findChild<QLineEdit*>("FilterText");
    list = window.findChild<FontNameList*>("List1");
    ASSERT_NE(field, nullptr);
    ASSERT_NE(list, nullptr);
  }

  QStringList Shown() const {
    QStringList shown;
    for (int row = 0; row < list->count(); ++row)
      if (!list->isRowHidden(row)) shown << list->item(row)->text();
    return shown;
  }
  int RowOf(const QString& name) const {
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.front());
  }
  void Type(const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }
  QString Count() const { return window.findChild<QLabel*>("FilterCount")->text(); }
  void TearDown() override { SetMessageHandler(nullptr); }

  test::ScopedFontsConf conf{TestEnvironment::Current().SourceFont("coverage"), ""};
  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
  QStringList messages;
  QLineEdit* field = nullptr;
  FontNameList* list = nullptr;
};

TEST_F(FamilyFilterTest, TypingNarrowsTheListByNameOrPinyinWithoutRegardToCase) {
  EXPECT_EQ(field->placeholderText(), "筛选");
  EXPECT_EQ(Count(), "显示 9/9");
  Type("kt");
  EXPECT_EQ(Shown(), QStringList{"测试楷体"});
  EXPECT_EQ(Count(), "显示 1/9");
  Type("ceshi");
  EXPECT_EQ(Shown(), (QStringList{"测试黑体", "测试楷体"}));
  Type("CS HT");
  EXPECT_EQ(Shown(), QStringList{"测试黑体"});
  // The English name of a family listed by its Chinese one finds it too.
  Type("quillmere KAI");
  EXPECT_EQ(Shown(), QStringList{"测试楷体"});
  Type("PAIR");
  EXPECT_EQ(Shown(), (QStringList{"Quillmere Pair One", "Quillmere Pair Two"}));
  Type("wqy");
  EXPECT_TRUE(Shown().isEmpty());
  EXPECT_EQ(Count(), "显示 0/9");
}

TEST_F(FamilyFilterTest, ClearingShowsEveryFamilyWithTheChosenOneStillChosen) {
  Type("kt");
  const int kai = RowOf("测试楷体");
  test::ClickRow(list, kai);
  ASSERT_EQ(list->ChosenName(), "测试楷体");
  // The field's own clear button, as a person clears it.
  QToolButton* clear = field->findChild<QToolButton*>();
  ASSERT_NE(clear, nullptr);
  QTest::mouseClick(clear, Qt::LeftButton);
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_EQ(Shown().size(), 9);
  EXPECT_EQ(Count(), "显示 9/9");
  EXPECT_EQ(list->ChosenName(), "测试楷体");
  EXPECT_EQ(list->currentRow(), kai);
  EXPECT_TRUE(list->viewport()->rect().intersects(list->visualItemRect(list->item(kai))));
}

TEST_F(FamilyFilterTest, KeysAndTypedLettersReachOnlyTheFamiliesShown) {
  Type("quillmere t");
  EXPECT_EQ(Shown(), (QStringList{"Quillmere Test Sans", "Quillmere Test Sans Light",
                                  "Quillmere Test Serif"}));
  test::ClickRow(list, RowOf("Quillmere Test Sans"));
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Sans Light");
  // "Sun & Moon" is hidden: typing its first letter goes nowhere.
  QTest::keyClick(list, Qt::Key_S);
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Sans Light");
  EXPECT_EQ(field->text(), "quillmere t");
  EXPECT_EQ(Count(), "显示 3/9");
  // A letter again goes to the next shown entry starting with it, round to the first.
  QTest::keyClick(list, Qt::Key_Q, {}, 2 * QApplication::keyboardInputInterval());
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Serif");
  QTest::keyClick(list, Qt::Key_Q);
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Sans");
  EXPECT_EQ(field->text(), "quillmere t");
}

// Down in the field goes on into the list and chooses the first family shown.
TEST_F(FamilyFilterTest, DownInTheFieldChoosesTheFirstFamilyShown) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  field->setFocus(Qt::TabFocusReason);
  Type("quillmere t");
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Sans");
  EXPECT_TRUE(list->hasFocus());
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Sans Light");
  EXPECT_EQ(field->text(), "quillmere t");
}

// 查找 searches every family; one the filter hides is shown again, and the
// count says the filter was cleared for it.
TEST_F(FamilyFilterTest, FindingAHiddenFamilyClearsTheFilterAndSaysSo) {
  Type("quillmere t");
  test::ClickRow(list, RowOf("Quillmere Test Serif"));
  FindList find(list, &window);
  find.show();
  QTest::keyClicks(find.findChild<QLineEdit*>("Text1"), QStringLiteral("moon"));
  QTest::mouseClick(find.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(list->ChosenName(), "Sun & Moon");
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u' ').toStdString();
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_EQ(Shown().size(), 9);
  EXPECT_EQ(Count(), "已清除筛选，显示 9/9");
  EXPECT_FALSE(find.isVisible());
  // A family the filter shows is found without clearing it.
  Type("quillmere t");
  FindList again(list, &window);
  again.show();
  QTest::keyClicks(again.findChild<QLineEdit*>("Text1"), QStringLiteral("serif"));
  QTest::mouseClick(again.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(list->ChosenName(), "Quillmere Test Serif");
  EXPECT_EQ(field->text(), "quillmere t");
}

// A line of the sheet chooses its family, but only the person clears the filter.
TEST_F(FamilyFilterTest, ASheetLineOfAHiddenFamilyChoosesItAndKeepsTheFilter) {
  window.show();
  test::PressToolbarButton(window, 2);
  Type("quillmere t");
  const int moon = RowOf("Sun & Moon");
  test::ClickLine(window.findChild<SheetView*>("RichTextBox2"), moon);
  EXPECT_EQ(list->ChosenName(), "Sun & Moon");
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(),
            QStringLiteral("第%1种字体").arg(moon + 1));
  EXPECT_EQ(field->text(), "quillmere t");
  EXPECT_EQ(Count(), "显示 3/9");
}

TEST_F(FamilyFilterTest, AFilterTypedBeforeAScanAppliesToTheNewList) {
  Type("kt");
  window.ScanInstalledFonts();
  QApplication::processEvents();
  EXPECT_EQ(Shown(), QStringList{"测试楷体"});
  EXPECT_EQ(Count(), "显示 1/9");
}

TEST_F(FamilyFilterTest, AnEntrysToolTipGivesItsOtherNamesStylesAndFile) {
  const QRect place = list->visualItemRect(list->item(RowOf("测试楷体")));
  QHelpEvent hover(QEvent::ToolTip, place.center(), list->viewport()->mapToGlobal(place.center()));
  QApplication::sendEvent(list->viewport(), &hover);
  EXPECT_EQ(QToolTip::text(), "其他名称：Quillmere Kai\n样式：常规\n文件：" +
                                  QString::fromStdString(
                                      TestEnvironment::Current().SourceFont("coverage/QmKai.ttf")));
  EXPECT_TRUE(list->item(RowOf("Quillmere Test Sans"))->toolTip().startsWith("样式："));
}

TEST(FamilyToolTipTest, NamesFromTheFontAreShownOnOneBoundedLineEach) {
  platform::InstalledFamily family{"测试", "/fonts/a\nb.ttf"};
  family.otherNames = {"Evil\nName", std::string(300, 'x')};
  family.styles = {"Regular", "Bold\r"};
  const QStringList lines = FamilyToolTip(family).split(u'\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith("其他名称：Evil␊Name，xxx"));
  EXPECT_TRUE(lines[0].endsWith(u'…'));
  EXPECT_EQ(lines[1], "样式：常规，Bold␍");  // an odd name shown as it is
  EXPECT_EQ(lines[2], "文件：/fonts/a␊b.ttf");
  EXPECT_EQ(FamilyToolTip({"Plain", ""}), "");
}

}  // namespace
}  // namespace qm::gui
