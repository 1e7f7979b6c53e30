// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/FramePump.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/DrawnFace.h"
#include "gui/sheet/SampleSheet.h"
#include "gui/sheet/SheetTab.h"
#include "gui/sheet/SongFace.h"
#include "support/FakePlatform.h"
#include "support/Input.h"
#include "support/MappedFiles.h"
#include "support/QtPrinters.h"

namespace qm::gui {
namespace {

ListedFamilies Listed(const QStringList& names) {
  ListedFamilies families;
  for (const QString& name : names) families << ListFamily(name.toUtf8());
  return families;
}

ListedFamilies NumberedNames(int count) {
  QStringList names;
  for (int i = 0; i < count; ++i) names << QStringLiteral("Face %1").arg(i, 4, 10, QChar('0'));
  return Listed(names);
}

QStringList FacesOfLines(const QPlainTextEdit& sheet) {
  QStringList faces;
  for (QTextBlock block = sheet.document()->begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    faces << cursor.charFormat().fontFamilies().toStringList().value(0);
  }
  return faces;
}

TEST(SampleSheetTest, WritesEveryNameOnItsOwnLineInItsOwnFace) {
  QPlainTextEdit sheet;
  QLabel label;
  gui::FramePump pump;
  const QStringList names = {"Tom's Type", "Sun & Moon", "测试黑体"};
  EXPECT_EQ(BuildSampleSheet(&sheet, Listed(names), {}, &label, pump, [] { return false; }), 3);
  EXPECT_EQ(sheet.toPlainText(), "Tom's Type\nSun & Moon\n测试黑体");
  EXPECT_EQ(FacesOfLines(sheet), names);
  EXPECT_EQ(label.text(), "3/3");

  // A rebuild replaces the sheet and keeps the sheet's styles.
  BuildSampleSheet(&sheet, Listed({"Only"}), {.bold = true, .centred = true}, &label, pump,
                   [] { return false; });
  EXPECT_EQ(sheet.toPlainText(), "Only");
  QTextCursor end(sheet.document());
  end.movePosition(QTextCursor::End);
  EXPECT_EQ(end.charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(sheet.document()->defaultTextOption().alignment(), Qt::AlignHCenter);
}

TEST(SampleSheetTest, AStopEndsTheBuildAfterTheLineInHand) {
  QPlainTextEdit sheet;
  QLabel label;
  gui::FramePump everyLine(0);
  int asked = 0;
  const auto written = BuildSampleSheet(&sheet, NumberedNames(50), {}, &label, everyLine,
                                        [&] { return ++asked == 4; });
  EXPECT_EQ(written, 4);
  EXPECT_EQ(sheet.document()->blockCount(), 4);
  EXPECT_EQ(label.text(), "4/50");
}

TEST(SampleSheetTest, AnEmptyListGivesAnEmptySheet) {
  QPlainTextEdit sheet;
  sheet.setPlainText("old");
  QLabel label;
  gui::FramePump pump;
  EXPECT_EQ(BuildSampleSheet(&sheet, {}, {}, &label, pump, [] { return false; }), 0);
  EXPECT_EQ(sheet.toPlainText(), "");
  EXPECT_EQ(label.text(), "0/0");
}

class SheetWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    platform.SetFamilyNames({"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"});
    window.ScanInstalledFonts();
  }
  void TearDown() override { gui::FramePump::SetDefaultFrameMs(gui::FramePump::kFrameMs); }
  QPlainTextEdit* Sheet() { return window.findChild<QPlainTextEdit*>("RichTextBox2"); }
  QListWidget* List() { return window.findChild<QListWidget*>("List1"); }

  test::FakePlatform platform;
  gui::MainWindow window{platform};
};

TEST_F(SheetWindowTest, BuildShowsTheSheetTabAndFollowsTheList) {
  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
  window.ToolbarButton(2)->trigger();
  EXPECT_EQ(window.findChild<QTabWidget*>("SSTab1")->currentIndex(), 0);
  EXPECT_EQ(Sheet()->toPlainText(), "Alpha\nBeta\nDelta\nEpsilon\nGamma\nZeta");
  EXPECT_TRUE(Sheet()->isEnabled());
  EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "6/6");
}

TEST_F(SheetWindowTest, StopAndASecondBuildPressedDuringTheBuild) {
  gui::FramePump::SetDefaultFrameMs(0);
  int frames = 0;
  QTimer presser;
  QObject::connect(&presser, &QTimer::timeout, [&] {
    ++frames;
    EXPECT_FALSE(Sheet()->isEnabled());
    if (frames == 1) window.ToolbarButton(2)->trigger();  // refused: a build runs
    if (frames == 2) window.ToolbarButton(3)->trigger();  // stop
  });
  presser.start(0);
  window.ToolbarButton(2)->trigger();
  EXPECT_EQ(Sheet()->toPlainText(), "Alpha\nBeta");
  EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "2/6");
  EXPECT_TRUE(window.StopRequested());
  EXPECT_TRUE(Sheet()->isEnabled());
}

TEST_F(SheetWindowTest, ClickingALineOfTheSheetChoosesThatFamily) {
  window.show();
  window.ToolbarButton(2)->trigger();
  QTextCursor line4(Sheet()->document()->findBlockByNumber(4));
  const QPoint at = Sheet()->cursorRect(line4).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, Sheet()->viewport()->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, Sheet()->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Sheet()->viewport(), &press);
  QCoreApplication::sendEvent(Sheet()->viewport(), &release);
  EXPECT_EQ(List()->currentRow(), 4);
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "第5种字体");
}

TEST(SheetFaceTest, EveryLineIsDrawnInTheFaceOfItsName) {
  platform::LinuxPlatform platform("zh_CN.UTF-8");
  MainWindow window(platform);
  window.show();
  window.ScanInstalledFonts();
  QToolBar* toolbar = window.findChild<QToolBar*>("tbToolBar");
  QTest::mouseClick(toolbar->widgetForAction(window.ToolbarButton(2)), Qt::LeftButton);
  const QTextDocument* sheet = window.findChild<QPlainTextEdit*>("RichTextBox2")->document();
  ASSERT_GT(sheet->blockCount(), 1);
  for (int line = 0; line < sheet->blockCount(); ++line) {
    const QString name = sheet->findBlockByNumber(line).text();
    EXPECT_EQ(test::DrawnFace(test::LineFont(sheet, line)), test::FontconfigFace(name))
        << name.toStdString();
  }
}

// A sheet of more pages than the faces kept near the screen, whose last line is a name its face
// cannot wholly draw: "Zz 测试" selects the face of Tom's Type, which has no Chinese.
class LongSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 500; ++i)
      platform.families.push_back(
          {QStringLiteral("Face %1").arg(i, 4, 10, QChar('0')).toStdString(), {}});
    platform.families.push_back({"Zz 测试", "", "Tom's Type", "Regular"});
    window.resize(800, 600);
    window.show();
    window.ScanInstalledFonts();
    QToolBar* toolbar = window.findChild<QToolBar*>("tbToolBar");
    QTest::mouseClick(toolbar->widgetForAction(window.ToolbarButton(2)), Qt::LeftButton);
  }
  QPlainTextEdit* Sheet() { return window.findChild<QPlainTextEdit*>("RichTextBox2"); }
  int TopLine() { return Sheet()->verticalScrollBar()->value(); }
  void PressAndDraw(Qt::Key key) {
    QTest::keyClick(Sheet(), key);
    QCoreApplication::processEvents();  // drawn, and the idle work after it
  }
  // Pages to the end, where the last line's face (QmQuote.ttf) opens, back
  // to the top, and on past the lines whose faces are kept open.
  void PageUntilFacesAreLetGo() {
    while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
    ASSERT_TRUE(test::FileMapped("QmQuote.ttf"));
    QTest::keyClick(Sheet(), Qt::Key_Home, Qt::ControlModifier);
    QCoreApplication::processEvents();
    ASSERT_EQ(TopLine(), 0);
    while (TopLine() < SheetFacePrefetcher::kLinesBeforeRelease) PressAndDraw(Qt::Key_PageDown);
  }

  const test::InstalledSongFace song;
  test::FakePlatform platform;
  MainWindow window{platform};
};

TEST_F(LongSheetTest, TheBuiltSheetShowsItsTopAndPageDownGoesToTheNextPage) {
  ASSERT_EQ(Sheet()->document()->blockCount(), 501);
  EXPECT_EQ(Sheet()->textCursor().position(), 0);
  EXPECT_EQ(TopLine(), 0);
  PressAndDraw(Qt::Key_PageDown);
  const int page = TopLine();
  EXPECT_GT(page, 0);
  EXPECT_LT(page, 100);  // a page, not the end
  PressAndDraw(Qt::Key_PageDown);
  // The next page: a line partly shown at the foot of a page may start it or the one after.
  EXPECT_NEAR(TopLine(), 2 * page, 1);
}

TEST_F(LongSheetTest, PagingToTheEndDrawsEachCharacterInAFaceThatHasIt) {
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  const QTextBlock last = Sheet()->document()->lastBlock();
  ASSERT_EQ(last.text(), "Zz 测试");
  for (auto it = last.begin(); !it.atEnd(); ++it) {
    const QTextCharFormat format = it.fragment().charFormat();
    EXPECT_EQ(format.fontStyleStrategy(), QFont::NoFontMerging);
    const QFontMetrics face(format.font().resolve(Sheet()->document()->defaultFont()));
    for (const QChar character : it.fragment().text())
      EXPECT_TRUE(face.inFontUcs4(character.unicode())) << it.fragment().text().toStdString();
  }
  // The name keeps its own face where it has the letters, and the line's
  // face is still the one the list chooses by.
  QTextCursor start(last);
  start.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(start.charFormat().fontFamilies().toStringList(), QStringList{"Tom's Type"});
  // Paging through more lines than the prefetcher keeps faces for let the
  // faces go, not the lines' own faces.
  for (int line : {0, 250, 499}) {
    const QString name = QStringLiteral("Face %1").arg(line, 4, 10, QChar('0'));
    QTextCursor cursor(Sheet()->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(cursor.block().text(), name);
    EXPECT_EQ(cursor.charFormat().fontFamilies().toStringList(), QStringList{name});
  }
}

// The last line's face, Tom's Type (QmQuote.ttf), is used by no other
// line: back at the top and paged on past the faces kept near the screen,
// the last line has let go of its layout, which held the face open for the
// toolkit's cache. Coming back to it lays it out again in its faces.
TEST_F(LongSheetTest, ALineFarFromTheScreenLetsGoOfItsLayout) {
  ASSERT_NO_FATAL_FAILURE(PageUntilFacesAreLetGo());
  const QTextBlock last = Sheet()->document()->lastBlock();
  EXPECT_EQ(last.layout()->lineCount(), 0);
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  EXPECT_GT(last.layout()->lineCount(), 0);
  EXPECT_TRUE(test::FileMapped("QmQuote.ttf"));
}

// Letting faces go also undoes the lines' layouts. The page after the one
// shown is laid out again while the window is idle, so that the next
// Page_Down finds its faces open.
TEST_F(LongSheetTest, AfterFacesAreLetGoTheNextPageIsPreparedAgainWhileIdle) {
  ASSERT_NO_FATAL_FAILURE(PageUntilFacesAreLetGo());
  ASSERT_EQ(Sheet()->document()->lastBlock().layout()->lineCount(), 0);  // let go
  const int page =
      Sheet()->cursorForPosition(QPoint(0, Sheet()->viewport()->height() - 1)).blockNumber() -
      TopLine() + 1;
  const auto nextPageLaidOut = [&] {
    for (int line = TopLine() + page; line < TopLine() + 2 * page; ++line)
      if (Sheet()->document()->findBlockByNumber(line).layout()->lineCount() == 0) return false;
    return true;
  };
  EXPECT_TRUE(QTest::qWaitFor(nextPageLaidOut, 10000));
}

}  // namespace
}  // namespace qm::gui
