// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
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
#include "support/ToolbarInput.h"

namespace qm::gui {

namespace {

ListedFamilies Listed(const QStringList& names) {
  ListedFamilies families;
  for (const QString& name : names) families << ListFamily(name.toUtf8());
  return families;
}

// The lines a sheet shows, as a reader of its rows gets them.
QString LinesOf(const QAbstractItemModel& sheet) {
  QStringList lines;
  for (int row = 0; row < sheet.rowCount(); ++row)
    lines << sheet.index(row, 0).data(Qt::DisplayRole).toString();
  return lines.join(u'\n');
}

// The family each paragraph is marked to be drawn in, by its real name.
QStringList FacesOfLines(const QTextDocument& sheet) {
  QStringList faces;
  for (QTextBlock block = sheet.begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    faces << QString::fromUtf8(cursor.charFormat().property(kListedFaceProperty).toByteArray());
  }
  return faces;
}

TEST(SheetModelTest, EveryFamilyIsALineInListOrderAndARebuildReplacesThem) {
  SheetModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.rowCount(), 0);
  const QStringList names = {"Tom's Type", "Sun & Moon", "测试黑体"};
  model.SetFamilies(Listed(names));
  EXPECT_EQ(LinesOf(model), "Tom's Type\nSun & Moon\n测试黑体");
  EXPECT_EQ(model.index(2, 0).data(kRealNameRole).toByteArray(), QByteArray("测试黑体"));
  model.SetFamilies(Listed({"Only"}));
  EXPECT_EQ(LinesOf(model), "Only");
  model.SetFamilies({});
  EXPECT_EQ(model.rowCount(), 0);
}

// What is printed of the sheet: a paragraph per family, each marked with
// its own face, in the sheet's styles, size, colour and alignment.
TEST(SheetDocumentTest, ThePrintedCopyWritesEveryNameInItsFaceAndTheSheetsLook) {
  const QStringList names = {"Tom's Type", "Sun & Moon", "测试黑体"};
  const SheetLook look{
      .flags = {.bold = true, .underline = true, .centred = true}, .colour = Qt::red, .points = 20};
  const auto document = SheetDocument(Listed(names), look, QFont(BaseFaceFamily(), 12));
  EXPECT_EQ(document->toPlainText(), "Tom's Type\nSun & Moon\n测试黑体");
  EXPECT_EQ(FacesOfLines(*document), names);
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignHCenter);
    const QTextCharFormat format = block.begin().fragment().charFormat();
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_FALSE(format.fontItalic());
    EXPECT_TRUE(format.fontUnderline());
    EXPECT_EQ(format.fontPointSize(), 20);
    EXPECT_EQ(format.foreground().color(), QColor(Qt::red));
  }
  EXPECT_TRUE(SheetDocument({}, {}, QFont())->isEmpty());
}

// A sheet of no line and of one: drawn, paged and copied without a fault,
// the one line in its face.
TEST(SheetPaintTest, AnEmptySheetAndASheetOfOneLineAreDrawnAndPaged) {
  test::FakePlatform platform;
  platform.families.push_back({"Quillmere Test Sans", QM_TEST_FONTS_DIR "/QmTestSans-Regular.ttf"});
  FaceEngine engine;
  ListedFaceFinder finder(platform);
  SheetModel model;
  SheetView view(engine, finder);
  view.setModel(&model);
  view.resize(300, 200);
  view.show();
  const auto inked = [&view] {
    const QImage drawn = view.viewport()->grab().toImage();
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (qGray(drawn.pixel(x, y)) < 128) return true;
    return false;
  };
  for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End}) {
    QTest::keyClick(&view, key);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  }
  QCoreApplication::processEvents();
  EXPECT_FALSE(inked());
  EXPECT_FALSE(view.currentIndex().isValid());

  model.SetFamilies({ListFamily("Quillmere Test Sans")});
  QCoreApplication::processEvents();
  EXPECT_TRUE(inked());
  // A line larger than every kept picture together is drawn all the same.
  SheetLook huge;
  huge.points = 72;
  view.SetLook(huge);
  model.SetFamilies({ListFamily(QByteArray(400, 'W'))});
  QCoreApplication::processEvents();
  EXPECT_TRUE(inked());
  EXPECT_GT(view.LinePicture(0).sizeInBytes(), 4 * 1024 * 1024);
  model.SetFamilies({ListFamily("Quillmere Test Sans")});
  view.SetLook({});
  QCoreApplication::processEvents();
  QTest::keyClick(&view, Qt::Key_PageDown);
  QCoreApplication::processEvents();
  EXPECT_EQ(view.currentIndex().row(), 0);
  EXPECT_EQ(
      engine.OpenFaces(),
      (std::vector<FaceAddress>{{QStringLiteral(QM_TEST_FONTS_DIR "/QmTestSans-Regular.ttf"), 0}}));
}

class SheetWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    platform.SetFamilyNames({"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"});
    window.ScanInstalledFonts();
  }
  SheetView* Sheet() { return window.findChild<SheetView*>("RichTextBox2"); }
  QListWidget* List() { return window.findChild<QListWidget*>("List1"); }
  QToolBar* Toolbar() { return window.findChild<QToolBar*>("tbToolBar"); }
  void Press(int button) {
    QWidget* widget = test::ToolbarButtonWidget(window, button);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }

  test::FakePlatform platform;
  gui::FaceEngine windowFaces;
  gui::MainWindow window{platform, windowFaces};
};

TEST_F(SheetWindowTest, BuildShowsTheSheetTabAndFollowsTheList) {
  window.show();
  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
  Press(2);
  EXPECT_EQ(window.findChild<QTabWidget*>("SSTab1")->currentIndex(), 0);
  EXPECT_EQ(LinesOf(*Sheet()->model()), "Alpha\nBeta\nDelta\nEpsilon\nGamma\nZeta");
  EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "6/6");
  // A rebuild after a new scan shows the new list and keeps the sheet's styles.
  Press(12);  // 黑体
  platform.SetFamilyNames({"Omega", "Alpha"});
  window.ScanInstalledFonts();
  Press(2);
  EXPECT_EQ(LinesOf(*Sheet()->model()), "Alpha\nOmega");
  EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "2/2");
  EXPECT_TRUE(Sheet()->Look().flags.bold);
  EXPECT_TRUE(test::ToolbarButton(window, 12)->isChecked());
}

// The count below the sheet is written in the interface's face, as the
// labels around it, not in the Song face of the tab's samples.
TEST(SheetCountTest, TheSheetsCountIsInTheInterfaceFace) {
  const test::InstalledSongFace song;
  test::FakePlatform platform;
  platform.SetFamilyNames({"Alpha", "Beta"});
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
  window.ScanInstalledFonts();
  window.show();
  QWidget* sheetButton = test::ToolbarButtonWidget(window, 2);
  QTest::mouseClick(sheetButton, Qt::LeftButton, {}, sheetButton->rect().center());
  auto* count = window.findChild<QLabel*>("Label2");
  EXPECT_EQ(count->text(), "2/2");
  const QString face = QFontInfo(count->font()).family();
  EXPECT_EQ(face, QFontInfo(QApplication::font()).family());
  EXPECT_NE(face, QFontInfo(window.findChild<SheetView*>("RichTextBox2")->font()).family());
}

// The sample and the sheet are read, selected and copied, never typed
// into; Tab goes on to the next control instead of writing a tab.
TEST_F(SheetWindowTest, TheSampleAndTheSheetAreReadOnlyAndTabLeavesThem) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  Press(2);
  test::ClickRow(List(), 1);  // the sample of Beta
  auto* sample = window.findChild<QTextEdit*>("RichTextBox1");
  const std::vector<std::pair<QAbstractScrollArea*, std::function<QString()>>> boxes = {
      {sample, [sample] { return sample->toPlainText(); }},
      {Sheet(), [this] { return LinesOf(*Sheet()->model()); }}};
  for (const auto& [box, text] : boxes) {
    const QString before = text();
    ASSERT_FALSE(before.isEmpty());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(box->hasFocus()) << box->objectName().toStdString();
    QTest::keyClicks(box, QStringLiteral("XYZ"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_F2);
    EXPECT_EQ(text(), before);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().replace(QChar::ParagraphSeparator, u'\n'), before);
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(text(), before);
    EXPECT_FALSE(box->hasFocus()) << box->objectName().toStdString();
  }
}

// Lines chosen with Shift and Ctrl are copied in the sheet's order.
TEST_F(SheetWindowTest, TheChosenLinesAreCopiedInTheSheetsOrder) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  Press(2);
  test::ClickLine(Sheet(), 4);
  test::ClickLine(Sheet(), 1, Qt::ControlModifier);
  test::ClickLine(Sheet(), 2, Qt::ControlModifier);
  QTest::keyClick(Sheet(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "Beta\nDelta\nGamma");
}

TEST_F(SheetWindowTest, ClickingALineOfTheSheetChoosesThatFamily) {
  window.show();
  Press(2);
  test::ClickLine(Sheet(), 4);
  EXPECT_EQ(List()->currentRow(), 4);
  EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "第5种字体");
}

// The toolbar's styles and alignment reach every line as the sheet draws it.
TEST_F(SheetWindowTest, TheToolbarRestylesHowEveryLineIsDrawn) {
  window.resize(800, 600);
  window.show();
  Press(2);
  const auto drawn = [this] { return Sheet()->viewport()->grab().toImage(); };
  const QImage plain = drawn();
  Press(12);  // 黑体
  EXPECT_TRUE(Sheet()->Look().flags.bold);
  EXPECT_NE(drawn(), plain);
  Press(12);
  EXPECT_EQ(drawn(), plain);
  Press(16);  // 置中
  QCoreApplication::processEvents();
  const QImage centred = drawn();
  const auto leftmostInk = [](const QImage& image) {
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(x, y)) < 128) return x;
    return image.width();
  };
  EXPECT_GT(leftmostInk(centred), leftmostInk(plain) + 100);
  Press(15);  // 左对齐
  QCoreApplication::processEvents();
  EXPECT_EQ(leftmostInk(drawn()), leftmostInk(plain));
}

// The sheet of the test fonts, all on one screen, built by "字型" on the toolbar.
class SheetFaceTest : public testing::Test {
 protected:
  void SetUp() override {
    window.resize(800, 1200);
    window.show();
    window.ScanInstalledFonts();
    QTest::mouseClick(test::ToolbarButtonWidget(window, 2), Qt::LeftButton);
    sheet = window.findChild<SheetView*>("RichTextBox2");
  }
  QString Line(int line) { return sheet->model()->index(line, 0).data().toString(); }
  std::vector<FaceAddress> FacesDrawingLine(int line) {
    return test::FacesDrawingLine(windowFaces, sheet, line);
  }
  QToolBar* Toolbar() { return window.findChild<QToolBar*>("tbToolBar"); }

  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
  SheetView* sheet = nullptr;
};

TEST_F(SheetFaceTest, EveryLineIsDrawnFromTheFileAndFaceFontconfigGivesItsName) {
  ASSERT_GT(sheet->model()->rowCount(), 1);
  int collectionFaces = 0;
  for (int line = 0; line < sheet->model()->rowCount(); ++line) {
    const QString name = Line(line);
    const test::FaceFile expected = test::FontconfigFaceFile(name);
    ASSERT_FALSE(expected.file.isEmpty()) << name.toStdString();
    ASSERT_TRUE(sheet->viewport()->rect().contains(test::LineRect(sheet, line)))
        << name.toStdString();
    EXPECT_EQ(FacesDrawingLine(line), (std::vector<FaceAddress>{{expected.file, expected.index}}))
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
    for (int line = 0; line < sheet->model()->rowCount(); ++line)
      if (Line(line) == name) return line;
    return -1;
  };
  const auto userFont = [](const char* file) {
    return QString::fromStdString(test::TestEnvironment::Current().UserFontsFolder() + '/' + file);
  };
  EXPECT_EQ(FacesDrawingLine(lineOf("Quillmere Test Sans")),
            (std::vector<FaceAddress>{{userFont("QmTestSans-Bold.ttf"), 0}}));
  const std::vector<FaceAddress> tom = FacesDrawingLine(lineOf("Tom's Type"));
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
    QTest::mouseClick(test::ToolbarButtonWidget(window, 2), Qt::LeftButton);
  }
  SheetView* Sheet() { return window.findChild<SheetView*>("RichTextBox2"); }
  int TopLine() { return Sheet()->verticalScrollBar()->value(); }
  void PressAndDraw(Qt::Key key) {
    QTest::keyClick(Sheet(), key);
    QCoreApplication::processEvents();
  }
  QImage Shown() { return Sheet()->viewport()->grab().toImage(); }

  const test::InstalledSongFace song;
  test::FakePlatform platform;
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
};

TEST_F(LongSheetTest, TheBuiltSheetShowsItsTopAndPageDownGoesToTheNextPage) {
  ASSERT_EQ(Sheet()->model()->rowCount(), 501);
  EXPECT_EQ(Sheet()->currentIndex().row(), 0);
  EXPECT_EQ(TopLine(), 0);
  PressAndDraw(Qt::Key_PageDown);
  const int page = TopLine();
  EXPECT_GT(page, 0);
  EXPECT_LT(page, 100);  // a page, not the end
  PressAndDraw(Qt::Key_PageDown);
  // The next page: a line partly shown at the foot of a page may start it or the one after.
  EXPECT_NEAR(TopLine(), 2 * page, 1);
  EXPECT_EQ(Sheet()->currentIndex().row(), TopLine());
  PressAndDraw(Qt::Key_PageUp);
  EXPECT_NEAR(TopLine(), page, 1);
  // On the last screen the page key goes on to the last line.
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  PressAndDraw(Qt::Key_PageDown);
  EXPECT_EQ(Sheet()->currentIndex().row(), 500);
}

// Only the lines on the screen are drawn, so only their faces are opened.
TEST_F(LongSheetTest, OnlyTheFacesOfTheLinesShownAreOpened) {
  windowFaces.Forget();
  Sheet()->viewport()->grab();
  EXPECT_EQ(
      windowFaces.OpenFaces(),
      (std::vector<FaceAddress>{{QStringLiteral(QM_TEST_FONTS_DIR "/QmTestSans-Regular.ttf"), 0}}));
  EXPECT_FALSE(test::FileMapped("QmNaskh.ttf"));
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  EXPECT_TRUE(test::FileMapped("QmNaskh.ttf"));
}

// While the reader looks at a page, the next page's faces are opened in
// idle steps, ready for Page_Down; nothing beyond it.
TEST(SheetPreparingTest, TheNextPagesFacesAreOpenedWhileTheWindowIsIdle) {
  const test::InstalledSongFace song;
  test::FakePlatform platform;
  const std::string sans = QM_TEST_FONTS_DIR "/QmTestSans-Regular.ttf";
  for (int i = 0; i < 40; ++i)
    platform.families.push_back(
        {QStringLiteral("Face %1").arg(i, 4, 10, QChar('0')).toStdString(), sans});
  platform.families.push_back({"Face 0040 Naskh", QM_TEST_FONTS_DIR "/script/QmNaskh.ttf"});
  for (int i = 41; i < 130; ++i)
    platform.families.push_back(
        {QStringLiteral("Face %1").arg(i, 4, 10, QChar('0')).toStdString(), sans});
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
  window.resize(800, 600);
  window.show();
  window.ScanInstalledFonts();
  QTest::mouseClick(test::ToolbarButtonWidget(window, 2), Qt::LeftButton);
  auto* sheet = window.findChild<SheetView*>("RichTextBox2");
  sheet->setFocus();
  const auto naskhOpen = [&windowFaces] {
    const std::vector<FaceAddress> open = windowFaces.OpenFaces();
    return std::any_of(open.begin(), open.end(),
                       [](const FaceAddress& face) { return face.file.endsWith("QmNaskh.ttf"); });
  };
  // Settled, with no face open.
  QTest::qWait(50);
  windowFaces.Forget();
  const int naskh = 40;
  const int lines = sheet->viewport()->height() / sheet->LineHeight();
  ASSERT_GT(lines, 2);
  ASSERT_LT(lines, 20);
  // Page by page until Naskh's line is on the page below the one shown;
  // before, its face is not opened.
  for (int top = 0; naskh >= top + lines * 2; top = sheet->indexAt(QPoint(4, 1)).row()) {
    QTest::qWait(30);
    EXPECT_FALSE(naskhOpen()) << "top line " << top;
    QTest::keyClick(sheet, Qt::Key_PageDown);
  }
  EXPECT_TRUE(QTest::qWaitFor(naskhOpen, 2000));
  EXPECT_FALSE(sheet->viewport()->rect().intersects(test::LineRect(sheet, naskh)));
}

// What a person sees on the last line: the face's own Arabic letters, each
// glyph as the face's file draws it, though the face has no letter of its
// name.
TEST_F(LongSheetTest, AFaceWithoutTheLettersOfItsNameShowsItsOwnScript) {
  while (TopLine() < Sheet()->verticalScrollBar()->maximum()) PressAndDraw(Qt::Key_PageDown);
  const int last = Sheet()->model()->rowCount() - 1;
  const QImage line = Shown().copy(test::LineRect(Sheet(), last));
  const auto face = windowFaces.Open({QStringLiteral(QM_TEST_FONTS_DIR "/script/QmNaskh.ttf"), 0});
  ASSERT_NE(face, nullptr);
  const qreal pixelSize = QFontInfo(Sheet()->font()).pixelSize();
  const ShapedRun beh = face->Shape(QStringLiteral("\u0628"), pixelSize);
  ASSERT_EQ(beh.glyphs.size(), 1u);
  const GlyphPicture glyph = windowFaces.Glyph(*face, beh.glyphs[0].id, pixelSize, {}, Qt::black);
  EXPECT_TRUE(
      test::ContainsPicture(line, glyph.image, Sheet()->viewport()->palette().base().color()));
  // A Latin line shows no Arabic.
  EXPECT_FALSE(test::ContainsPicture(Shown().copy(test::LineRect(Sheet(), last - 1)), glyph.image,
                                     Sheet()->viewport()->palette().base().color()));
}

}  // namespace
}  // namespace qm::gui
