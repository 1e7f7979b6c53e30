// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontInfo>
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
#include "gui/common/FaceEngine.h"
#include "gui/common/FaceText.h"
#include "gui/common/FramePump.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/DrawnFace.h"
#include "gui/sheet/SampleSheet.h"
#include "gui/sheet/SheetTab.h"
#include "gui/sheet/SongFace.h"
#include "support/FaceAddresses.h"
#include "support/FakePlatform.h"
#include "support/Input.h"
#include "support/MappedFiles.h"
#include "support/Pictures.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

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

// The family each line is marked to be drawn in, by its real name.
QStringList FacesOfLines(const QPlainTextEdit& sheet) {
  QStringList faces;
  for (QTextBlock block = sheet.document()->begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    faces << QString::fromUtf8(cursor.charFormat().property(kListedFaceProperty).toByteArray());
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

// The count below the sheet is written in the interface's face, as the
// labels around it, not in the Song face of the tab's samples.
TEST(SheetCountTest, TheSheetsCountIsInTheInterfaceFace) {
  const test::InstalledSongFace song;
  test::FakePlatform platform;
  platform.SetFamilyNames({"Alpha", "Beta"});
  MainWindow window{platform};
  window.ScanInstalledFonts();
  window.show();
  auto* toolbar = window.findChild<QToolBar*>("tbToolBar");
  QWidget* sheetButton = toolbar->widgetForAction(window.ToolbarButton(2));
  QTest::mouseClick(sheetButton, Qt::LeftButton, {}, sheetButton->rect().center());
  auto* count = window.findChild<QLabel*>("Label2");
  EXPECT_EQ(count->text(), "2/2");
  const QString face = QFontInfo(count->font()).family();
  EXPECT_EQ(face, QFontInfo(QApplication::font()).family());
  EXPECT_NE(face, QFontInfo(window.findChild<QPlainTextEdit*>("RichTextBox2")->font()).family());
}

// The sample and the sheet are read, selected and copied, never typed
// into; Tab goes on to the next control instead of writing a tab.
TEST_F(SheetWindowTest, TheSampleAndTheSheetAreReadOnlyAndTabLeavesThem) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.ToolbarButton(2)->trigger();
  test::ClickRow(List(), 1);  // the sample of Beta
  auto* sample = window.findChild<QTextEdit*>("RichTextBox1");
  for (QAbstractScrollArea* box :
       {static_cast<QAbstractScrollArea*>(sample), static_cast<QAbstractScrollArea*>(Sheet())}) {
    const auto text = [box] {
      if (auto* rich = qobject_cast<QTextEdit*>(box)) return rich->toPlainText();
      return static_cast<QPlainTextEdit*>(box)->toPlainText();
    };
    const QString before = text();
    ASSERT_FALSE(before.isEmpty());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(box->hasFocus()) << box->objectName().toStdString();
    QTest::keyClicks(box, QStringLiteral("XYZ"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(text(), before);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().replace(QChar::ParagraphSeparator, u'\n'), before);
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(text(), before);
    EXPECT_FALSE(box->hasFocus()) << box->objectName().toStdString();
  }
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
  QTest::mouseClick(Sheet()->viewport(), Qt::LeftButton, {}, Sheet()->cursorRect(line4).center());
  EXPECT_EQ(List()->currentRow(), 4);
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "第5种字体");
}

std::vector<FaceAddress> FacesDrawingLine(MainWindow& window, QPlainTextEdit* sheet, int line) {
  return test::FacesDrawingLine(window.Faces(), sheet, line);
}

// The sheet of the test fonts, all on one screen, built by "字型" on the toolbar.
class SheetFaceTest : public testing::Test {
 protected:
  void SetUp() override {
    window.resize(800, 1200);
    window.show();
    window.ScanInstalledFonts();
    QTest::mouseClick(Toolbar()->widgetForAction(window.ToolbarButton(2)), Qt::LeftButton);
    sheet = window.findChild<QPlainTextEdit*>("RichTextBox2");
  }
  QToolBar* Toolbar() { return window.findChild<QToolBar*>("tbToolBar"); }

  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  MainWindow window{platform};
  QPlainTextEdit* sheet = nullptr;
};

TEST_F(SheetFaceTest, EveryLineIsDrawnFromTheFileAndFaceFontconfigGivesItsName) {
  ASSERT_GT(sheet->document()->blockCount(), 1);
  int collectionFaces = 0;
  for (int line = 0; line < sheet->document()->blockCount(); ++line) {
    const QString name = sheet->document()->findBlockByNumber(line).text();
    const test::FaceFile expected = test::FontconfigFaceFile(name);
    ASSERT_FALSE(expected.file.isEmpty()) << name.toStdString();
    ASSERT_TRUE(sheet->viewport()->rect().contains(test::LineRect(sheet, line)))
        << name.toStdString();
    EXPECT_EQ(FacesDrawingLine(window, sheet, line),
              (std::vector<FaceAddress>{{expected.file, expected.index}}))
        << name.toStdString();
    if (expected.index > 0) ++collectionFaces;
  }
  EXPECT_GT(collectionFaces, 0);  // "Quillmere Pair Two" is a collection's second face
}

// "黑体" on the toolbar: each line in its family's own bold face where it
// has one, else in its regular face made bold.
TEST_F(SheetFaceTest, BoldDrawsEachLineInItsFamilysBoldFace) {
  QAction* bold = Toolbar()->findChild<QAction*>("黑体", Qt::FindDirectChildrenOnly);
  ASSERT_NE(bold, nullptr);
  QTest::mouseClick(Toolbar()->widgetForAction(bold), Qt::LeftButton);
  const auto lineOf = [this](const QString& name) {
    for (QTextBlock block = sheet->document()->begin(); block.isValid(); block = block.next())
      if (block.text() == name) return block.blockNumber();
    return -1;
  };
  const auto userFont = [](const char* file) {
    return QString::fromStdString(test::TestEnvironment::Current().UserFontsFolder() + '/' + file);
  };
  EXPECT_EQ(FacesDrawingLine(window, sheet, lineOf("Quillmere Test Sans")),
            (std::vector<FaceAddress>{{userFont("QmTestSans-Bold.ttf"), 0}}));
  const std::vector<FaceAddress> tom = FacesDrawingLine(window, sheet, lineOf("Tom's Type"));
  ASSERT_EQ(tom.size(), 1u);
  EXPECT_TRUE(tom[0].file.endsWith("/QmQuote.ttf")) << tom[0].file.toStdString();
}

// The lines come from a platform that tells each family's file; the last is
// a face without a letter of its name.
class LongSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string sans = QM_TEST_FONTS_DIR "/QmTestSans-Regular.ttf";
    for (int i = 0; i < 500; ++i)
      platform.families.push_back(
          {QStringLiteral("Face %1").arg(i, 4, 10, QChar('0')).toStdString(), sans});
    platform.families.push_back({"Quillmere Naskh", QM_TEST_FONTS_DIR "/script/QmNaskh.ttf"});
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
    QCoreApplication::processEvents();
  }
  QImage Shown() { return Sheet()->viewport()->grab().toImage(); }

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

// Only the lines on the screen are drawn, so only their faces are opened.
TEST_F(LongSheetTest, OnlyTheFacesOfTheLinesShownAreOpened) {
  window.Faces().Forget();
  Sheet()->viewport()->grab();
  EXPECT_EQ(
      window.Faces().OpenFaces(),
      (std::vector<FaceAddress>{{QStringLiteral(QM_TEST_FONTS_DIR "/QmTestSans-Regular.ttf"), 0}}));
  EXPECT_FALSE(test::FileMapped("QmNaskh.ttf"));
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  EXPECT_TRUE(test::FileMapped("QmNaskh.ttf"));
}

// What a person sees on the last line: the face's own Arabic letters, each
// glyph as the face's file draws it, though the face has no letter of its
// name.
TEST_F(LongSheetTest, AFaceWithoutTheLettersOfItsNameShowsItsOwnScript) {
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  const int last = Sheet()->document()->blockCount() - 1;
  const QImage line = Shown().copy(test::LineRect(Sheet(), last));
  const auto face =
      window.Faces().Open({QStringLiteral(QM_TEST_FONTS_DIR "/script/QmNaskh.ttf"), 0});
  ASSERT_NE(face, nullptr);
  const qreal pixelSize = QFontInfo(Sheet()->document()->defaultFont()).pixelSize();
  const ShapedRun beh = face->Shape(QStringLiteral("\u0628"), pixelSize);
  ASSERT_EQ(beh.glyphs.size(), 1u);
  const GlyphPicture glyph =
      window.Faces().Glyph(*face, beh.glyphs[0].id, pixelSize, {}, Qt::black);
  EXPECT_TRUE(
      test::ContainsPicture(line, glyph.image, Sheet()->viewport()->palette().base().color()));
  // A Latin line shows no Arabic.
  EXPECT_FALSE(test::ContainsPicture(Shown().copy(test::LineRect(Sheet(), last - 1)), glyph.image,
                                     Sheet()->viewport()->palette().base().color()));
}

}  // namespace
}  // namespace qm::gui
