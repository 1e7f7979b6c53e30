// SPDX-License-Identifier: GPL-3.0-or-later
// Chinese coverage as a person meets it: the line below the sample, the
// "缺字" window, the marks in the custom text and the families that can
// set it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <functional>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/FontNameList.h"
#include "gui/coverage/CoverageLine.h"
#include "gui/coverage/MissingCharacters.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/Input.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

using test::TestEnvironment;

class CoverageTest : public testing::Test {
 protected:
  void SetUp() override {
    window.Startup();
    list = window.findChild<FontNameList*>("List1");
  }

  void Click(const QString& family) {
    const auto found = list->findItems(family, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << family.toStdString();
    test::ClickRow(list, list->row(found.front()));
  }
  void ShowTab(int tab) {
    QTabBar* bar = window.findChild<QTabWidget*>("SSTab1")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
  }
  // Runs check on the modal window that opens next, then closes it with Escape.
  void WhenOpened(const std::function<void(QWidget*)>& check) {
    QTimer::singleShot(0, [check] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      check(modal);
      QTest::keyClick(modal, Qt::Key_Escape);
    });
  }
  QTextEdit* CustomBox() { return window.findChild<QTextEdit*>("RichTextBox3"); }
  QList<QString> Marked() {
    QList<QString> marked;
    for (const QTextEdit::ExtraSelection& mark : CustomBox()->extraSelections())
      marked << mark.cursor.selectedText();
    return marked;
  }

  test::ScopedFontsConf conf{TestEnvironment::Current().SourceFont("coverage"), ""};
  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
  FontNameList* list = nullptr;
};

TEST_F(CoverageTest, TheSampleShowsHowMuchOfEachStandardTheFamilyCovers) {
  Click("测试楷体");
  const QString line = window.findChild<CoverageLine*>("CoverageLine")->Text();
  EXPECT_TRUE(line.contains("GB2312 1.3%（94/6763）")) << line.toStdString();
  EXPECT_TRUE(line.contains("基本区 0.4%（95/20992）")) << line.toStdString();
  EXPECT_TRUE(line.contains("扩展A 0.0%（2/6592）")) << line.toStdString();
  EXPECT_TRUE(line.contains("扩展B 0.0%（1/42720）")) << line.toStdString();
  EXPECT_TRUE(line.contains("扩展G 0.0%（0/4939）")) << line.toStdString();
  EXPECT_TRUE(window.findChild<QLabel*>("MissingLink")->isVisible());
  Click("Quillmere Test Sans");
  EXPECT_TRUE(window.findChild<CoverageLine*>("CoverageLine")->Text().contains("（0/6763）"));
}

// However narrow the window, the line wraps between the standards, never
// inside one ("扩展" on one line and "A" on the next), and no line is wider
// than the label shows.
TEST_F(CoverageTest, TheLineWrapsBetweenStandardsNeverInsideOne) {
  window.show();
  Click("测试楷体");
  auto* counts = window.findChild<QLabel*>("CoverageCounts");
  const QFontMetrics metrics(counts->font());
  const int longest = metrics.horizontalAdvance("扩展B 0.0%（1/42720）");
  int wrapped = 0;
  for (int width = 900; width <= 1600; width += 50) {
    window.resize(width, 700);
    QCoreApplication::processEvents();
    const QStringList lines = counts->text().split(u'\n');
    if (lines.size() > 1) ++wrapped;
    for (const QString& line : lines)
      EXPECT_LE(metrics.horizontalAdvance(line), std::max(counts->contentsRect().width(), longest))
          << line.toStdString() << " at " << width;
    for (const char* part : {"GB2312 1.3%（94/6763）", "扩展A 0.0%（2/6592）",
                             "扩展B 0.0%（1/42720）", "扩展G 0.0%（0/4939）"})
      EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                              [&](const QString& line) { return line.contains(part); }))
          << part << " broken at " << width << ": " << counts->text().toStdString();
  }
  EXPECT_GT(wrapped, 0);
  EXPECT_EQ(counts->accessibleName(), window.findChild<CoverageLine*>("CoverageLine")->Text());
}

TEST(WrapPartsTest, FillsEachLineWithWholePartsAndKeepsAWideOneWhole) {
  const QFontMetrics metrics{QFont()};
  const QStringList parts = {"aaaa", "bbbb", "cccc"};
  const int two = metrics.horizontalAdvance("H: aaaa  bbbb");
  EXPECT_EQ(WrapParts("H: ", parts, metrics, two), (QStringList{"H: aaaa  bbbb", "cccc"}));
  EXPECT_EQ(WrapParts("H: ", parts, metrics, 10000), (QStringList{"H: aaaa  bbbb  cccc"}));
  EXPECT_EQ(WrapParts("H: ", parts, metrics, 1), (QStringList{"H: aaaa", "bbbb", "cccc"}));
  EXPECT_EQ(WrapParts("H: ", {}, metrics, 100), (QStringList{"H: "}));
}

TEST_F(CoverageTest, TheMissingWindowListsWhatTheFamilyLacksOfTheChosenStandard) {
  Click("测试楷体");
  auto* link = window.findChild<QLabel*>("MissingLink");
  ASSERT_TRUE(link->isVisible());
  QApplication::processEvents();  // laid out, as on the screen a person clicks
  QString gb2312Missing;
  QString extensionA;
  WhenOpened([&](QWidget* missing) {
    EXPECT_EQ(missing->windowTitle(), "缺字 - 测试楷体");
    gb2312Missing = missing->findChild<QPlainTextEdit*>("MissingText")->toPlainText();
    EXPECT_EQ(missing->findChild<QLabel*>("MissingCount")->text(),
              "GB2312 缺 6669 字（共 6763 字）");
    auto* choice = missing->findChild<QComboBox*>("StandardChoice");
    QTest::keyClick(choice, Qt::Key_Down);  // GBK
    QTest::keyClick(choice, Qt::Key_Down);  // the basic block
    QTest::keyClick(choice, Qt::Key_Down);  // extension A
    extensionA = missing->findChild<QLabel*>("MissingCount")->text();
  });
  QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
  EXPECT_FALSE(gb2312Missing.contains(u'啊'));
  EXPECT_FALSE(gb2312Missing.contains(u'阿'));
  EXPECT_TRUE(gb2312Missing.contains(u'宋'));
  EXPECT_EQ(gb2312Missing.split(u'\n').front().size(), 50);
  EXPECT_EQ(extensionA, "扩展A 缺 6590 字（共 6592 字）");
}

TEST(MissingCharactersTest, OpensAtTheFirstStandardTheFamilyLacksAnythingOf) {
  const std::vector<coverage::Standard> standards = {
      coverage::HanOfCodePage("GB2312", {U'啊'}), coverage::HanOfCodePage("GBK", {U'啊', U'丂'})};
  platform::CodePointSet characters;
  characters.Add(U'啊');
  MissingCharacters missing("测试楷体", characters, standards);
  missing.show();
  EXPECT_EQ(missing.findChild<QComboBox*>("StandardChoice")->currentText(), "GBK");
  EXPECT_EQ(missing.findChild<QPlainTextEdit*>("MissingText")->toPlainText(), "丂");
  QTest::keyClick(missing.findChild<QComboBox*>("StandardChoice"), Qt::Key_Up);
  EXPECT_EQ(missing.findChild<QLabel*>("MissingCount")->text(), "GB2312 缺 0 字（共 1 字）");
}

TEST_F(CoverageTest, CustomTextMarksWhatTheChosenFamilyCannotDraw) {
  ShowTab(2);
  Click("测试楷体");
  QTest::keyClick(CustomBox(), Qt::Key_A, Qt::ControlModifier);
  test::CommitText(CustomBox(), "啊剥宋A丂");
  EXPECT_EQ(Marked(), QList<QString>{"宋"});
  Click("测试黑体");
  EXPECT_EQ(Marked(), (QList<QString>{"啊剥宋", "丂"}));
  // Typing follows the family chosen: 体 is one of the Hei face's.
  test::CommitText(CustomBox(), "体");
  EXPECT_EQ(Marked(), (QList<QString>{"啊剥宋", "丂"}));
}

TEST_F(CoverageTest, FamiliesThatCanSetTheCustomTextAreListedAndChosenByAClick) {
  ShowTab(2);
  Click("Quillmere Test Sans");
  QTest::keyClick(CustomBox(), Qt::Key_A, Qt::ControlModifier);
  test::CommitText(CustomBox(), "啊 A");
  QTest::keyClick(CustomBox(), Qt::Key_Return);
  test::CommitText(CustomBox(), "丂");
  QStringList offered;
  WhenOpened([&](QWidget* families) {
    auto* found = families->findChild<QListWidget*>("List2");
    for (int row = 0; row < found->count(); ++row) offered << found->item(row)->text();
    EXPECT_EQ(families->findChild<QLabel*>("Label1")->text(),
              "1 种字体（共 9 种）有自定义文字的全部字符：");
    test::ClickRow(found, 0);
  });
  // A filter that hides the family found gives way when it is chosen, and says so.
  auto* filter = window.findChild<QLineEdit*>("FilterText");
  QTest::keyClicks(filter, "pair");
  QTest::mouseClick(window.findChild<QPushButton*>("Command4"), Qt::LeftButton);
  EXPECT_EQ(offered, QStringList{"测试楷体"});
  EXPECT_EQ(list->ChosenName(), "测试楷体");
  EXPECT_TRUE(filter->text().isEmpty());
  EXPECT_FALSE(list->isRowHidden(list->ChosenRow()));
  EXPECT_TRUE(window.findChild<QLabel*>("FilterCount")->text().startsWith("已清除筛选"));
}

}  // namespace
}  // namespace qm::gui
