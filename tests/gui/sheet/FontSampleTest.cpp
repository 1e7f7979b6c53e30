// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontDatabase>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <filesystem>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/BaseFormat.h"
#include "gui/common/FaceEngine.h"
#include "gui/common/FaceText.h"
#include "gui/common/FontNameList.h"
#include "gui/common/ListedFaces.h"
#include "gui/common/TextStyles.h"
#include "gui/mainwindow/Application.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/DrawnFace.h"
#include "gui/sheet/FontSample.h"
#include "gui/sheet/SongFace.h"
#include "support/FaceAddresses.h"
#include "support/Input.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace qm::gui {

namespace {

// The format of the character at position (counting from 0).
QTextCharFormat FormatAt(QTextEdit& box, int position) {
  QTextCursor cursor(box.document());
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

int StartOfLine(QTextEdit& box, int line) {
  return box.document()->findBlockByNumber(line).position();
}

// Writes text in format's face alone, as the printed copy has it, and gives
// the characters that face lacks the fallback, as the print layout does.
void InsertInOwnFace(QTextCursor& cursor, const QString& text, QTextCharFormat format) {
  format.setFontStyleStrategy(QFont::NoFontMerging);
  cursor.insertText(text, format);
  FallBackWhereFaceLacks(cursor.block());
}

struct LineLook {
  int size;
  bool bold, italic, underline;
  QColor colour;
};

TEST(FontSampleTest, ShowsFileNameAndFiveLinesWithAccumulatingStyles) {
  QTextEdit box;
  SetBaseFormat(&box);
  ShowFontEffect(&box, ListFamily("Tom's Type"), "f.ttf");
  EXPECT_EQ(box.toPlainText(),
            "文件名：f.ttf  字体名：Tom's Type (正常体12)\n"
            "Tom's Type (正常体20)\n"
            "Tom's Type (粗体20)\n"
            "Tom's Type (斜体20)\n"
            "Tom's Type (下划线体20)");

  const QTextCharFormat fileName = FormatAt(box, 0);
  EXPECT_EQ(fileName.fontFamilies().toStringList(), QStringList{BaseFaceFamily()});
  EXPECT_EQ(fileName.fontPointSize(), 12);
  EXPECT_EQ(fileName.foreground().color(), QColor(Qt::black));
  EXPECT_EQ(FormatAt(box, 8).fontFamilies().toStringList(),
            QStringList{BaseFaceFamily()});               // 'f' of f.ttf
  const QTextCharFormat firstSample = FormatAt(box, 13);  // past "文件名：f.ttf"
  EXPECT_EQ(firstSample.property(kListedFaceProperty).toByteArray(), "Tom's Type");
  EXPECT_EQ(firstSample.fontPointSize(), 12);

  const LineLook looks[] = {{20, false, false, false, Qt::black},
                            {20, true, false, false, QColor(255, 0, 0)},
                            {20, true, true, false, QColor(0, 0, 255)},
                            {20, true, true, true, QColor(0, 255, 0)}};
  for (int line = 1; line <= 4; ++line) {
    const LineLook& look = looks[line - 1];
    for (int offset : {0, 12}) {
      const QTextCharFormat format = FormatAt(box, StartOfLine(box, line) + offset);
      SCOPED_TRACE(testing::Message() << "line " << line << " offset " << offset);
      EXPECT_EQ(format.property(kListedFaceProperty).toByteArray(), "Tom's Type");
      EXPECT_EQ(format.fontPointSize(), look.size);
      EXPECT_EQ(format.fontWeight() == QFont::Bold, look.bold);
      EXPECT_EQ(format.fontItalic(), look.italic);
      EXPECT_EQ(format.fontUnderline(), look.underline);
      EXPECT_EQ(format.foreground().color(), look.colour);
    }
  }
  EXPECT_EQ(box.textCursor().position(), 0);
  EXPECT_FALSE(box.textCursor().hasSelection());
}

TEST(FontSampleTest, ANameIsDrawnInItsOwnFaceAloneAndACharacterNoFaceHasAsABox) {
  QTextEdit box;
  QTextCursor cursor(box.document());
  QTextCharFormat format;
  SetListedFace(format, "Tom's Type");
  InsertInOwnFace(cursor, QStringLiteral("A\u240A\u240AB"), format);  // no test font has "␊"
  // No fallback search anywhere: the letters are the face's own, and "␊"
  // is in no face in reach, so it is drawn as the face's box.
  for (const int position : {0, 1, 2, 3}) {
    EXPECT_EQ(FormatAt(box, position).fontStyleStrategy(), QFont::NoFontMerging);
    EXPECT_EQ(FormatAt(box, position).fontFamilies().toStringList(), QStringList{"Tom's Type"});
  }
  EXPECT_EQ(box.toPlainText(), QStringLiteral("A\u240A\u240AB"));
}

TEST(FontSampleTest, ShowingTwiceGivesTheSameTextAndAnUnregisteredFontNoFileName) {
  QTextEdit box;
  SetBaseFormat(&box);
  ShowFontEffect(&box, ListFamily("Sun & Moon"), "");
  const QString once = box.toHtml();
  ShowFontEffect(&box, ListFamily("Sun & Moon"), "");
  EXPECT_EQ(box.toHtml(), once);
  EXPECT_TRUE(box.toPlainText().startsWith("文件名：  字体名：Sun & Moon (正常体12)"));
  EXPECT_EQ(box.document()->blockCount(), 5);
}

TEST(FontSampleTest, WholeTextFaceKeepsSizesColoursAndStyles) {
  QTextEdit box;
  SetBaseFormat(&box);
  QTextCursor cursor(box.document());
  QTextCharFormat big;
  big.setFontPointSize(30);
  big.setForeground(QColor(255, 0, 0));
  cursor.insertText("Hello", big);
  QTextCharFormat small;
  small.setFontPointSize(14);
  small.setFontItalic(true);
  cursor.insertText(" world", small);
  cursor.setPosition(3);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  box.setTextCursor(cursor);

  SetWholeTextFace(&box, "测试黑体");
  EXPECT_EQ(box.toPlainText(), "Hello world");
  for (int position = 0; position < 11; ++position)
    EXPECT_EQ(FormatAt(box, position).fontFamilies().toStringList(), QStringList{"测试黑体"});
  EXPECT_EQ(FormatAt(box, 0).fontPointSize(), 30);
  EXPECT_EQ(FormatAt(box, 0).foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FormatAt(box, 7).fontPointSize(), 14);
  EXPECT_TRUE(FormatAt(box, 7).fontItalic());
  EXPECT_EQ(box.textCursor().position(), 0);
  EXPECT_FALSE(box.textCursor().hasSelection());
}

// The test fonts as the scan lists them, each chosen as a person would.
class ListedFaceTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    window.ScanInstalledFonts();
  }
  FontNameList* List() { return window.findChild<FontNameList*>("List1"); }
  QTextDocument* Box(const char* name) { return window.findChild<QTextEdit*>(name)->document(); }
  int RowOf(const QString& name) {
    return List()->row(List()->findItems(name, Qt::MatchExactly)[0]);
  }

  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FaceEngine windowFaces;
  MainWindow window{platform, windowFaces};
};

// The faces opened to draw only line of the sample, none open before.
std::vector<FaceAddress> FacesDrawingSampleLine(MainWindow& window, FaceEngine& faces, int line) {
  auto* box = window.findChild<QTextEdit*>("RichTextBox1");
  const QTextBlock block = box->document()->findBlockByNumber(line);
  const QRect place =
      box->document()->documentLayout()->blockBoundingRect(block).toAlignedRect().adjusted(0, 1, 0,
                                                                                           -1);
  faces.Forget();
  QImage image(box->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  box->viewport()->render(&image, {}, QRegion(place));
  return faces.OpenFaces();
}

QString UserFont(const char* file) {
  return QString::fromStdString(test::TestEnvironment::Current().UserFontsFolder() + '/' + file);
}

std::vector<FaceAddress> FontconfigFaces(const QString& name) {
  const test::FaceFile face = test::FontconfigFaceFile(name);
  return {{face.file, face.index}};
}

TEST_F(ListedFaceTest, EachFamilyClickedShowsItsSampleInTheFaceOfItsName) {
  ASSERT_GT(List()->count(), 0);
  for (int row = 0; row < List()->count(); ++row) {
    const QString name = List()->item(row)->text();
    test::ClickRow(List(), row);
    EXPECT_EQ(FacesDrawingSampleLine(window, windowFaces, 1), FontconfigFaces(name))
        << name.toStdString();
  }
  // The light face's name is only another name of its family to the
  // toolkit; by that name alone it would draw the regular face.
  test::ClickRow(List(), RowOf("Quillmere Test Sans Light"));
  EXPECT_EQ(FacesDrawingSampleLine(window, windowFaces, 1),
            (std::vector<FaceAddress>{{UserFont("QmTestSans-Light.ttf"), 0}}));
  // A family's bold line is its own bold face, not the regular one thickened.
  test::ClickRow(List(), RowOf("Quillmere Test Sans"));
  EXPECT_EQ(FacesDrawingSampleLine(window, windowFaces, 2),
            (std::vector<FaceAddress>{{UserFont("QmTestSans-Bold.ttf"), 0}}));
}

TEST_F(ListedFaceTest, OnTheCustomTabEachFamilyClickedSetsTheTextInTheFaceOfItsName) {
  QTabBar* tabs = window.findChild<QTabWidget*>("SSTab1")->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(2).center());
  ASSERT_EQ(tabs->currentIndex(), 2);
  for (int row = 0; row < List()->count(); ++row) {
    const QString name = List()->item(row)->text();
    test::ClickRow(List(), row);
    QTextDocument* custom = Box("RichTextBox3");
    EXPECT_EQ(test::DrawnFace(test::LineFont(custom, custom->blockCount() - 1)),
              test::FontconfigFace(name))
        << name.toStdString();
  }
}

// Writes text in format's own face into a box with the base format, as the
// sample does.
void InsertIntoBaseBox(QTextEdit& box, const QString& text, const QTextCharFormat& format) {
  SetBaseFormat(&box);
  QTextCursor cursor(box.document());
  InsertInOwnFace(cursor, text, format);
}

class SongFaceTest : public testing::Test {
 private:
  test::SavedBaseFace saved_;
};

// The formats ask for the Song face by its own name, never through 宋体, a
// name no installed face has; text that names 宋体 or SimSun still draws in it.
TEST_F(SongFaceTest, TheBaseFaceDrawsInTheSongFaceTheConfigurationGivesSerifChinese) {
  const test::InstalledSongFace song;
  QTextEdit box;
  SetBaseFormat(&box);
  ShowFontEffect(&box, ListFamily("Tom's Type"), "f.ttf");
  EXPECT_EQ(FormatAt(box, 0).fontFamilies().toStringList(), QStringList{"Quillmere Song"});
  EXPECT_EQ(box.document()->defaultFont().family(), "Quillmere Song");
  EXPECT_EQ(test::DrawnFace(FormatAt(box, 0).font().resolve(box.document()->defaultFont())),
            "QuillmereSong-Regular");
  for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
    EXPECT_EQ(test::DrawnFace(QFont(name, 9)), "QuillmereSong-Regular") << name.toStdString();
}

// Start-up (ConfigureApplication in the tests' main) finds no Song face for
// serif Chinese text among the test fonts: the base face is the interface's.
TEST_F(SongFaceTest, WithoutASerifChineseFaceTheBaseFaceIsTheInterfacesFace) {
  platform::LinuxPlatform platform("zh_CN.UTF-8");  // the test fonts have no serif rules
  ChooseBaseFace(platform);
  const QString interfaceFace = QApplication::font().family();
  ASSERT_TRUE(QFontDatabase::families().contains(interfaceFace));
  EXPECT_EQ(BaseFaceFamily(), interfaceFace);
  QTextEdit box;
  SetBaseFormat(&box);
  QTest::keyClicks(&box, "Ab");
  EXPECT_EQ(FormatAt(box, 0).fontFamilies().toStringList(), QStringList{interfaceFace});
  for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
    EXPECT_EQ(test::DrawnFace(QFont(name, 9)), test::DrawnFace(QApplication::font()))
        << name.toStdString();
}

TEST_F(SongFaceTest, OnlyTheCharactersANameItsFaceLacksAreDrawnInTheBaseFace) {
  const test::InstalledSongFace song;
  QTextEdit box;
  QTextCharFormat format;
  SetListedFace(format, "Tom's Type");
  format.setFontWeight(QFont::Bold);
  InsertIntoBaseBox(box, QStringLiteral("Ab测试Z"), format);  // the Song face has "测试"
  const auto drawnAt = [&](int position) {
    return test::DrawnFace(FormatAt(box, position).font().resolve(box.document()->defaultFont()));
  };
  for (const int position : {0, 1, 4}) {
    EXPECT_EQ(FormatAt(box, position).fontFamilies().toStringList(), QStringList{"Tom's Type"});
    EXPECT_EQ(drawnAt(position), test::FontconfigFace("Tom's Type"));
  }
  for (const int position : {2, 3}) {
    EXPECT_EQ(FormatAt(box, position).fontFamilies().toStringList(), QStringList{"Quillmere Song"});
    EXPECT_EQ(drawnAt(position), "QuillmereSong-Regular");
    EXPECT_EQ(FormatAt(box, position).fontWeight(), QFont::Bold);  // the name's own styles
  }
  for (int position = 0; position < 5; ++position)
    EXPECT_EQ(FormatAt(box, position).fontStyleStrategy(), QFont::NoFontMerging);
}

// Digits and spaces take the script of the letter before them (the first
// letter after them at the start); they go to the face that draws that
// letter, so that no face is asked for a script it lacks.
TEST_F(SongFaceTest, DigitsAndSpacesGoWithTheLetterTheyTakeTheirScriptFrom) {
  const test::InstalledSongFace song;
  QTextEdit box;
  QTextCharFormat format;
  SetListedFace(format, "Tom's Type");
  InsertIntoBaseBox(box, QStringLiteral("1测试2 Z 3"), format);
  for (const int position : {0, 1, 2, 3, 4})
    EXPECT_EQ(FormatAt(box, position).fontFamilies().toStringList(), QStringList{"Quillmere Song"})
        << position;
  for (const int position : {5, 6, 7})
    EXPECT_EQ(FormatAt(box, position).fontFamilies().toStringList(), QStringList{"Tom's Type"})
        << position;
}

}  // namespace
}  // namespace qm::gui
