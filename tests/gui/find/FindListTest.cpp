// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "gui/common/Dialogs.h"
#include "gui/common/FontNameList.h"
#include "gui/common/ListSearch.h"
#include "gui/find/FindList.h"
#include "support/QtPrinters.h"

namespace qm::gui {
namespace {

class FindListTest : public testing::Test {
 protected:
  void SetUp() override {
    list.addItems({"Arial", "宋体", "Songti", "Song Extra"});
    gui::SetMessageHandler([this](const gui::Message& message) {
      messages << message.text;
      EXPECT_EQ(message.icon, QMessageBox::Information);
    });
  }
  void TearDown() override { gui::SetMessageHandler(nullptr); }

  // Types text, picks the mode and presses "查找"; true when the dialog closed.
  bool Find(const QString& text, const QString& mode) {
    FindList dialog(&list);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QComboBox*>("Combo1")->currentText(), FindList::kPartialMatch);
    dialog.findChild<QLineEdit*>("Text1")->setText(text);
    dialog.findChild<QComboBox*>("Combo1")->setCurrentText(mode);
    dialog.findChild<QPushButton*>("Command1")->click();
    return dialog.result() == QDialog::Accepted && !dialog.isVisible();
  }
  QString Current() const { return list.currentItem() ? list.currentItem()->text() : QString(); }

  FontNameList list;
  QStringList messages;
};

TEST_F(FindListTest, PartialMatchFindsTheFirstEntryContainingTheText) {
  list.setCurrentRow(3);
  EXPECT_TRUE(Find("song", FindList::kPartialMatch));
  EXPECT_EQ(Current(), "Songti");
  EXPECT_TRUE(Find("", FindList::kPartialMatch));
  EXPECT_EQ(Current(), "Arial");
  EXPECT_TRUE(Find("宋", FindList::kPartialMatch));
  EXPECT_EQ(Current(), "宋体");
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FindListTest, PartialMatchUnderstandsThePinyinOfChineseNames) {
  FindList dialog(&list);
  dialog.show();
  QTest::keyClicks(dialog.findChild<QLineEdit*>("Text1"), "ST");
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(Current(), "宋体");  // by its initials: no name holds "st"
  // A name holding the text comes first, also below one whose pinyin does.
  EXPECT_TRUE(Find("songt", FindList::kPartialMatch));
  EXPECT_EQ(Current(), "Songti");
  EXPECT_TRUE(Find("songti", FindList::kWholeMatch));
  EXPECT_FALSE(Find("st", FindList::kWholeMatch));
  EXPECT_EQ(messages, QStringList{"没有找到！"});
}

TEST_F(FindListTest, AFoundEntryIsChosenEvenWhenItIsAlreadyCurrent) {
  QSignalSpy chosen(&list, &FontNameList::FamilyChosen);
  EXPECT_TRUE(Find("songti", FindList::kWholeMatch));
  EXPECT_TRUE(Find("songti", FindList::kWholeMatch));
  ASSERT_EQ(chosen.size(), 2);
  EXPECT_EQ(chosen.at(1).at(0).toInt(), 2);
  EXPECT_EQ(list.ChosenName(), "Songti");
  EXPECT_EQ(list.selectedItems().size(), 1);
}

TEST_F(FindListTest, WholeMatchIgnoresCaseButNotPartsOrEmptyText) {
  EXPECT_TRUE(Find("ARIAL", FindList::kWholeMatch));
  EXPECT_EQ(Current(), "Arial");
  EXPECT_FALSE(Find("Aria", FindList::kWholeMatch));
  EXPECT_FALSE(Find("", FindList::kWholeMatch));
  EXPECT_EQ(messages, (QStringList{"没有找到！", "没有找到！"}));
  EXPECT_EQ(Current(), "Arial");  // a failed search changes nothing
}

TEST_F(FindListTest, NothingIsFoundInAnEmptyListAndCancelChangesNothing) {
  FontNameList empty;
  EXPECT_FALSE(gui::SelectListEntryContaining("", &empty));
  EXPECT_FALSE(gui::SelectListEntryExact("x", &empty));
  list.setCurrentRow(1);
  FindList dialog(&list);
  dialog.show();
  dialog.findChild<QLineEdit*>("Text1")->setText("Arial");
  dialog.findChild<QPushButton*>("Command2")->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(Current(), "宋体");
}

}  // namespace
}  // namespace qm::gui
