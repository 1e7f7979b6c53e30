// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>

#include "gui/common/Dialogs.h"
#include "gui/common/TextStyles.h"
#include "gui/customtext/CustomTextTab.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/SampleSheet.h"
#include "gui/sheet/SheetTab.h"
#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

// Whether every character of a document satisfies a condition.
template <typename Condition>
bool EveryCharacter(QTextDocument* document, Condition condition) {
  for (int position = 1; position < document->characterCount(); ++position) {
    QTextCursor cursor(document);
    cursor.setPosition(position);
    if (cursor.block().position() == position && cursor.block().length() == 1) continue;
    if (cursor.block().position() == position) continue;  // a line break's format
    if (!condition(cursor.charFormat())) return false;
  }
  return true;
}

class TextStylesTest : public testing::Test {
 protected:
  void SetUp() override {
    platform.SetFamilyNames({"Alpha", "Beta", "Gamma"});
    window.ScanInstalledFonts();
    test::PressToolbarButton(window, 2);  // the sheet: Alpha, Beta, Gamma
    Custom()->setPlainText("one\ntwo");
  }
  void TearDown() override { gui::SetColourChooser(nullptr); }

  SheetView* Sheet() { return window.findChild<SheetView*>("RichTextBox2"); }
  const SheetLook& SheetDrawn() { return Sheet()->Look(); }
  QTextEdit* Custom() { return window.findChild<QTextEdit*>("RichTextBox3"); }
  void ShowTab(int tab) { window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(tab); }
  // The styles each tab gives its whole text.
  const TextStyleFlags& SheetStyle() { return window.findChild<gui::SheetTab*>()->Flags(); }
  const TextStyleFlags& CustomStyle() { return window.findChild<gui::CustomTextTab*>()->Flags(); }
  void Press(int position) { test::PressToolbarButton(window, position); }
  bool Pressed(int position) { return test::ToolbarButton(window, position)->isChecked(); }
  template <typename Box>
  void SelectPart(Box* box, int from, int to) {
    QTextCursor cursor(box->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
  }
  static bool Bold(const QTextCharFormat& format) { return format.fontWeight() == QFont::Bold; }

  test::FakePlatform platform;
  gui::FaceEngine windowFaces;
  gui::MainWindow window{platform, windowFaces};
};

TEST_F(TextStylesTest, BoldAppliesToTheWholeTextAndPutsTheCaretBack) {
  Press(12);
  EXPECT_TRUE(SheetDrawn().flags.bold);
  EXPECT_TRUE(SheetStyle().bold);
  Press(12);
  EXPECT_FALSE(SheetDrawn().flags.bold);
  EXPECT_FALSE(SheetStyle().bold);

  ShowTab(2);
  SelectPart(Custom(), 5, 7);
  Press(12);
  EXPECT_TRUE(EveryCharacter(Custom()->document(), Bold));
  EXPECT_EQ(Custom()->textCursor().position(), 7);
  EXPECT_FALSE(Custom()->textCursor().hasSelection());
  EXPECT_TRUE(CustomStyle().bold);
  Press(12);
  EXPECT_TRUE(
      EveryCharacter(Custom()->document(), [](const QTextCharFormat& f) { return !Bold(f); }));
  EXPECT_FALSE(SheetDrawn().flags.bold);
}

TEST_F(TextStylesTest, ItalicAndUnderlineOnTheCustomTextLeaveTheSheetAlone) {
  ShowTab(2);
  Press(13);
  Press(14);
  EXPECT_TRUE(EveryCharacter(Custom()->document(), [](const QTextCharFormat& f) {
    return f.fontItalic() && f.fontUnderline();
  }));
  EXPECT_TRUE(CustomStyle().italic && CustomStyle().underline);
  EXPECT_FALSE(SheetStyle().italic || SheetStyle().underline);
  EXPECT_FALSE(SheetDrawn().flags.italic || SheetDrawn().flags.underline);
}

TEST_F(TextStylesTest, CentringPutsTheCaretAtTheEndAndLeftPutsItBack) {
  Press(16);
  EXPECT_TRUE(SheetDrawn().flags.centred);
  EXPECT_TRUE(SheetStyle().centred);
  EXPECT_FALSE(Pressed(15));
  Press(15);
  EXPECT_FALSE(SheetDrawn().flags.centred);
  EXPECT_FALSE(SheetStyle().centred);

  ShowTab(2);
  SelectPart(Custom(), 3, 3);
  Press(16);
  for (QTextBlock block = Custom()->document()->begin(); block.isValid(); block = block.next())
    EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignHCenter);
  EXPECT_EQ(Custom()->textCursor().position(), Custom()->document()->characterCount() - 1);
  SelectPart(Custom(), 4, 4);
  Press(15);
  EXPECT_EQ(Custom()->document()->begin().blockFormat().alignment(), Qt::AlignLeft);
  EXPECT_EQ(Custom()->textCursor().position(), 4);
}

TEST_F(TextStylesTest, EachTabKeepsItsFlagsAndTheButtonsFollow) {
  Press(12);  // sheet bold
  ShowTab(2);
  EXPECT_FALSE(Pressed(12));
  EXPECT_EQ(test::ToolbarButton(window, 12)->toolTip(), "设置自定义文本为黑体（Ctrl+B）");
  EXPECT_EQ(test::ToolbarButton(window, 6)->toolTip(), "打印自定义文本（Ctrl+P）");
  Press(14);
  Press(16);  // custom underlined and centred
  ShowTab(0);
  EXPECT_TRUE(Pressed(12));
  EXPECT_FALSE(Pressed(14));
  EXPECT_TRUE(Pressed(15));
  EXPECT_FALSE(Pressed(16));
  EXPECT_EQ(test::ToolbarButton(window, 17)->toolTip(), "设置字型列表文字大小和颜色（F8）");
  ShowTab(2);
  EXPECT_FALSE(Pressed(12));
  EXPECT_TRUE(Pressed(14));
  EXPECT_TRUE(Pressed(16));
}

TEST_F(TextStylesTest, OnTheFileTabAStyleChangesNoTextAndNoFlag) {
  const SheetLook sheetBefore = SheetDrawn();
  const QString customBefore = Custom()->document()->toHtml();
  ShowTab(1);
  Press(12);
  Press(16);
  EXPECT_TRUE(Pressed(12));  // only the button's own look changed
  EXPECT_EQ(SheetDrawn().flags.bold, sheetBefore.flags.bold);
  EXPECT_EQ(SheetDrawn().flags.centred, sheetBefore.flags.centred);
  EXPECT_EQ(Custom()->document()->toHtml(), customBefore);
  EXPECT_FALSE(SheetStyle().bold || SheetStyle().centred);
  EXPECT_FALSE(CustomStyle().bold || CustomStyle().centred);
  ShowTab(0);
  EXPECT_FALSE(Pressed(12));
  EXPECT_TRUE(Pressed(15));
}

// Black gives black text back; a cancelled dialog applies the colour chosen
// before again.
TEST_F(TextStylesTest, ColourAppliesToTheWholeTextBlackAndTheLastChoiceOnACancel) {
  // 大小 pops up the font menu.
  const auto chooseColour = [this] {
    Press(17);
    test::ClickMenuItem(window.findChild<QMenu*>("字体"), "字体颜色");
  };
  const auto everyCharacterIn = [](QTextDocument* document, const QColor& colour) {
    return EveryCharacter(
        document, [&colour](const QTextCharFormat& f) { return f.foreground().color() == colour; });
  };
  QColor answer = QColor(255, 0, 0);
  gui::SetColourChooser([&](const QColor&, QWidget*) { return answer; });
  chooseColour();
  EXPECT_EQ(SheetDrawn().colour, QColor(255, 0, 0));
  answer = Qt::black;
  chooseColour();
  EXPECT_EQ(SheetDrawn().colour, QColor(Qt::black));

  answer = QColor(0, 0, 255);
  chooseColour();
  ShowTab(2);
  answer = QColor();  // cancelled
  chooseColour();
  EXPECT_TRUE(everyCharacterIn(Custom()->document(), QColor(0, 0, 255)));
}

}  // namespace
}  // namespace qm::gui
