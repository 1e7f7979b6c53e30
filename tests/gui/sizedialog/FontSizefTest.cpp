// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>

#include "gui/sheet/SampleSheet.h"
#include "gui/sizedialog/FontSizef.h"
#include "support/Input.h"
#include "support/MainWindowInput.h"
#include "support/ModalDialogs.h"

namespace qm::gui {
namespace {

// Every character's point size in a document, once each.
template <typename Box>
QSet<qreal> SizesIn(Box* box) {
  QSet<qreal> sizes;
  for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
      sizes << fragment.fragment().charFormat().fontPointSize();
  return sizes;
}

QString StoredSize() { return QSettings().value("设置/字体大小").toString(); }

class FontSizefTest : public test::MainWindowInputTest {
 protected:
  // "大小" → "字体大小", then act in the dialog.
  void OpenSizeDialog(const std::function<void(QDialog*)>& act) {
    test::WhenModal("FontSizef", act);
    ChooseMenuItem("大小", "字体", "字体大小");
  }
  static QComboBox* Combo(QDialog* dialog) { return ChildOf<QComboBox>(dialog, "Combo1"); }
  // Picks an entry with the keyboard, as a person does in a closed list.
  static void Pick(QDialog* dialog, const QString& size) {
    QComboBox* combo = Combo(dialog);
    combo->setFocus();
    QTest::keyClicks(combo, size);
  }
  QTextEdit* Custom() { return Child<QTextEdit>("RichTextBox3"); }
  SheetView* Sheet() { return Child<SheetView>("RichTextBox2"); }
  int LineHeight() { return Sheet()->visualRect(Sheet()->model()->index(0, 0)).height(); }
};

TEST_F(FontSizefTest, AStoredSizeNotInTheListOpensWithNoEntryAndOkKeepsAndAppliesIt) {
  Start();
  ClickTab(2);
  QStringList entries;
  int current = 0;
  QString text = "unread";
  OpenSizeDialog([&](QDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "设置字体大小");
    for (int i = 0; i < Combo(dialog)->count(); ++i) entries << Combo(dialog)->itemText(i);
    current = Combo(dialog)->currentIndex();
    text = Combo(dialog)->currentText();
    EXPECT_EQ(ChildOf<QLabel>(dialog, "Label2")->text(), "示例ABCabc");
    Click(dialog, "Command1");
  });
  EXPECT_EQ(entries, (QStringList{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24",
                                  "26", "28", "36", "48", "72"}));
  EXPECT_EQ(current, -1);
  EXPECT_EQ(text, "");
  EXPECT_EQ(StoredSize(), "30");
  EXPECT_EQ(window.SampleFontSize(), 30);
  EXPECT_EQ(SizesIn(Custom()), QSet<qreal>{30});
}

TEST_F(FontSizefTest, TheStoredSizeIsChosenAndThePreviewFollowsEveryEntry) {
  Start("36");
  QList<int> previewSizes;
  OpenSizeDialog([&](QDialog* dialog) {
    auto* preview = ChildOf<QLabel>(dialog, "Label2");
    EXPECT_EQ(Combo(dialog)->currentText(), "36");
    previewSizes << preview->font().pointSize();
    Combo(dialog)->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
      QTest::keyClick(Combo(dialog), key);
      previewSizes << preview->font().pointSize();
    }
    Click(dialog, "Command2");
  });
  EXPECT_EQ(previewSizes, (QList<int>{36, 48, 72, 48}));
}

// Choosing a large size keeps the window's size: its list and buttons stay
// under the pointer, the preview scrolls inside it.
TEST_F(FontSizefTest, ALargeSizeKeepsTheWindowsSizeAndItsButtonsWhereTheyWere) {
  Start("12");
  QSize before, after;
  QPoint okBefore, okAfter;
  bool scrolls = false;
  OpenSizeDialog([&](QDialog* dialog) {
    before = dialog->size();
    okBefore = ChildOf<QPushButton>(dialog, "Command1")->mapToGlobal(QPoint());
    Combo(dialog)->setFocus();
    QTest::keyClick(Combo(dialog), Qt::Key_End);  // 72
    QCoreApplication::processEvents();
    after = dialog->size();
    okAfter = ChildOf<QPushButton>(dialog, "Command1")->mapToGlobal(QPoint());
    scrolls = ChildOf<QScrollArea>(dialog, "PreviewRoom")->horizontalScrollBar()->maximum() > 0;
    Click(dialog, "Command2");
  });
  EXPECT_EQ(after, before);
  EXPECT_EQ(okAfter, okBefore);
  EXPECT_TRUE(scrolls);
}

TEST_F(FontSizefTest, SeventyTwoOnTheSheetTabSizesTheWholeSheetAndKeepsTheCaret) {
  Start();
  test::PressToolbarButton(window, 2);  // 字型
  test::ClickLine(Sheet(), 3);
  const int lineBefore = LineHeight();
  OpenSizeDialog([&](QDialog* dialog) {
    Pick(dialog, "72");
    Click(dialog, "Command1");
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(Sheet()->Look().points, 72);
  EXPECT_GT(LineHeight(), 4 * lineBefore);
  EXPECT_EQ(Sheet()->currentIndex().row(), 3);
  EXPECT_EQ(StoredSize(), "72");
  EXPECT_EQ(window.SampleFontSize(), 72);
}

TEST_F(FontSizefTest, OnTheFileTabOnlyTheSettingChanges) {
  Start();
  test::PressToolbarButton(window, 2);  // 字型
  const int sheetPoints = Sheet()->Look().points;
  const QString custom = Custom()->document()->toHtml();
  ClickTab(1);
  OpenSizeDialog([&](QDialog* dialog) {
    Pick(dialog, "12");
    Click(dialog, "Command1");
  });
  EXPECT_EQ(StoredSize(), "12");
  EXPECT_EQ(window.SampleFontSize(), 12);
  EXPECT_EQ(Sheet()->Look().points, sheetPoints);
  EXPECT_EQ(Custom()->document()->toHtml(), custom);
}

TEST_F(FontSizefTest, CancelChangesNothing) {
  Start();
  ClickTab(2);
  const QString custom = Custom()->document()->toHtml();
  OpenSizeDialog([&](QDialog* dialog) {
    Pick(dialog, "72");
    Click(dialog, "Command2");
  });
  EXPECT_FALSE(QSettings().contains("设置/字体大小"));
  EXPECT_EQ(window.SampleFontSize(), 30);
  EXPECT_EQ(Custom()->document()->toHtml(), custom);
}

TEST_F(FontSizefTest, AStoredSizeNoBoxCanShowBecomesTheDefault) {
  Start("32000");
  ClickTab(2);
  OpenSizeDialog([&](QDialog* dialog) { Click(dialog, "Command1"); });
  EXPECT_EQ(StoredSize(), "30");
  EXPECT_EQ(SizesIn(Custom()), QSet<qreal>{30});
}

}  // namespace
}  // namespace qm::gui
