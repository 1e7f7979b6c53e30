// SPDX-License-Identifier: GPL-3.0-or-later
// "卸载和删除字体" pressed as a person presses it, on real files in the
// test's own folders, with the real unloading and the real trash.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "core/platform/linux/FontFolderGuard.h"
#include "core/platform/linux/LinuxFontResources.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "core/platform/linux/ProgramFontconfigFile.h"
#include "gui/common/ApplicationFonts.h"
#include "gui/common/BrowseForFolder.h"
#include "gui/common/Dialogs.h"
#include "gui/removal/DelFonts.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

class DelFontsTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    fs::remove_all(trash_);  // the trash is made when first needed
    SetMessageHandler([this](const Message& message) { messages_ << message.text; });
  }
  void TearDown() override {
    SetMessageHandler(nullptr);
    fs::remove_all(folder_);
    fs::remove_all(trash_);
    fs::remove(platform::RejectRulesFile());
  }
  std::string Place(const std::string& name) {
    fs::copy_file(TestEnvironment::Current().SourceFont("QmQuote.ttf"), folder_ + "/" + name);
    return folder_ + "/" + name;
  }
  // The dialog as the main window hands it over.
  std::unique_ptr<DelFonts> Open(const std::vector<std::string>& files) {
    auto dialog = std::make_unique<DelFonts>(platform_, resources_);
    for (const std::string& file : files) dialog->AddRow(file, QStringLiteral("Quote"));
    dialog->ShowRowCount();
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
  }
  template <typename T>
  static T* Child(QWidget* dialog, const char* name) {
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static QStringList Column(QWidget* dialog, int column) {
    auto* list = Child<QTreeWidget>(dialog, "ListView1");
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      texts << list->topLevelItem(i)->text(column);
    return texts;
  }
  // On the box or the round of a check box or option, the middle of a button.
  static void Click(QWidget* dialog, const char* name) {
    auto* button = Child<QAbstractButton>(dialog, name);
    const bool toggle = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      toggle ? QPoint(8, button->height() / 2) : button->rect().center());
  }
  static void TypeInto(QWidget* dialog, const char* name, const QString& text) {
    auto* edit = Child<QLineEdit>(dialog, name);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
  std::vector<std::string> Unloaded() const {
    return platform::ProgramFontconfigFile().Entries(
        platform::ProgramFontconfigFile::Group::kUnloaded);
  }

  test::ScopedFontsConf conf_{"", test::kUserFontconfigRules};
  std::string folder_ = TestEnvironment::Current().UserFontsFolder() + "/delfonts";
  std::string trash_ = TestEnvironment::Current().Root() + "/data/Trash";
  platform::LinuxPlatform platform_{"zh_CN.UTF-8"};
  platform::LinuxFontResources resources_;
  QStringList messages_;
};

TEST_F(DelFontsTest, OpensWithTheRowsTheCountAndTheRecommendedChoices) {
  auto dialog = Open({Place("a.ttf"), Place("b.ttf")});
  EXPECT_EQ(dialog->windowTitle(), "卸载和删除字体");
  EXPECT_EQ(Child<QLabel>(dialog.get(), "Label3")->text(), "2");
  EXPECT_EQ(Column(dialog.get(), DelFonts::kFileName), (QStringList{"a.ttf", "b.ttf"}));
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "Check1")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "Check2")->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(dialog.get(), "Option2")->isChecked());
  auto* header = Child<QTreeWidget>(dialog.get(), "ListView1")->headerItem();
  EXPECT_EQ(header->text(DelFonts::kMovedTo), "移动文件到");
}

TEST_F(DelFontsTest, OkRefusesEssentialAndSystemFontsAndTrashesTheRest) {
  const std::string essential = Place("simsun.ttc");
  const std::string outside = TestEnvironment::Current().SystemFontsFolder() + "/QmPair.ttc";
  const std::string ordinary = Place("quote with space.ttf");
  const std::string notUtf8 = Place("bad\xff.ttf");
  auto dialog = Open({essential, outside, ordinary, notUtf8});
  Click(dialog.get(), "Command2");

  EXPECT_EQ(Column(dialog.get(), DelFonts::kUnloaded), (QStringList{"否", "否", "是", "是"}));
  // A name Qt cannot hand to the trash is kept, not deleted some other way.
  EXPECT_EQ(Column(dialog.get(), DelFonts::kDeleted), (QStringList{"否", "否", "是", "否"}));
  EXPECT_EQ(messages_, QStringList{"操作完成！请重新扫描字体名列表和刷新字体文件名列表。"});
  EXPECT_FALSE(Child<QPushButton>(dialog.get(), "Command2")->isEnabled());

  EXPECT_TRUE(fs::exists(essential) && fs::exists(outside) && fs::exists(notUtf8));
  EXPECT_FALSE(fs::exists(ordinary));
  EXPECT_TRUE(fs::exists(trash_ + "/files/quote with space.ttf"));
  EXPECT_TRUE(fs::exists(trash_ + "/info/quote with space.ttf.trashinfo"));
  EXPECT_EQ(Unloaded(), (std::vector<std::string>{ordinary, notUtf8}));
}

TEST_F(DelFontsTest, AFileTheProgramLoadedItselfIsDroppedFromItToo) {
  // A family installed after the toolkit read the fonts at start.
  ASSERT_FALSE(QFontDatabase::families().contains("Quillmere Looped"));
  const std::string font = folder_ + "/looped.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmLooped-Regular.ttf"), font);
  ASSERT_TRUE(AddApplicationFontFile(font));
  ASSERT_TRUE(QFontDatabase::families().contains("Quillmere Looped"));
  auto dialog = Open({font});
  Click(dialog.get(), "Option1");
  Click(dialog.get(), "Command2");
  EXPECT_EQ(Column(dialog.get(), DelFonts::kUnloaded), QStringList{"是"});
  EXPECT_FALSE(QFontDatabase::families().contains("Quillmere Looped"));
}

TEST_F(DelFontsTest, ALinkGoesToTheTrashAndItsTargetStays) {
  const std::string target = TestEnvironment::Current().FolderForCurrentTest("target") + "/t.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmQuote.ttf"), target);
  const std::string link = folder_ + "/link.ttf";
  fs::create_symlink(target, link);
  auto dialog = Open({link});
  Click(dialog.get(), "Command2");
  EXPECT_EQ(Column(dialog.get(), DelFonts::kDeleted), QStringList{"是"});
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
  EXPECT_TRUE(fs::is_symlink(trash_ + "/files/link.ttf"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
}

TEST_F(DelFontsTest, UncheckedImportantBoxAndMoveToATypedFolder) {
  const std::string essential = Place("arial.ttf");
  const std::string destination = TestEnvironment::Current().FolderForCurrentTest("moved");
  auto dialog = Open({essential});
  Click(dialog.get(), "Check1");
  Click(dialog.get(), "Option3");
  TypeInto(dialog.get(), "Text1", QString::fromStdString(destination));
  Click(dialog.get(), "Command2");

  EXPECT_EQ(Column(dialog.get(), DelFonts::kUnloaded), QStringList{"是"});
  EXPECT_EQ(Column(dialog.get(), DelFonts::kDeleted), QStringList{""});
  EXPECT_EQ(Column(dialog.get(), DelFonts::kMovedTo),
            QStringList{QString::fromStdString(destination)});
  EXPECT_FALSE(fs::exists(essential));
  EXPECT_TRUE(fs::exists(destination + "/arial.ttf"));
}

TEST_F(DelFontsTest, OnlyUnloadingLeavesTheFileAndTheOtherColumnsEmpty) {
  const std::string font = Place("quote.ttf");
  auto dialog = Open({font, folder_ + "/gone.ttf"});
  Click(dialog.get(), "Option1");
  Click(dialog.get(), "Command2");
  EXPECT_EQ(Column(dialog.get(), DelFonts::kUnloaded), (QStringList{"是", "否"}));
  EXPECT_EQ(Column(dialog.get(), DelFonts::kDeleted), (QStringList{"", ""}));
  EXPECT_EQ(Column(dialog.get(), DelFonts::kMovedTo), (QStringList{"", ""}));
  EXPECT_TRUE(fs::exists(font));
  EXPECT_EQ(platform::ListedByFontconfig({font}), std::vector<bool>{false});
}

// Answers the folder picker once it is up, as a person would: typing a
// folder and pressing Enter, or pressing Escape.
void AnswerFolderPicker(const QString& typed) {
  QTimer::singleShot(0, [typed] {
    QWidget* picker = QApplication::activeModalWidget();
    ASSERT_NE(qobject_cast<QFileDialog*>(picker), nullptr);
    EXPECT_EQ(picker->windowTitle(), kBrowseForFolderTitle);
    if (typed.isEmpty()) {
      QTest::keyClick(picker, Qt::Key_Escape);
      return;
    }
    auto* name = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    // The picker has the keyboard, as on a desktop, and typing goes where the person clicked.
    picker->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(picker));
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, typed);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

TEST_F(DelFontsTest, BrowsePutsThePickedFolderWithASeparatorAndCancelKeepsTheText) {
  const std::string picked = TestEnvironment::Current().FolderForCurrentTest("picked");
  auto dialog = Open({Place("quote.ttf")});
  auto* text = Child<QLineEdit>(dialog.get(), "Text1");
  const QString before = text->text();
  AnswerFolderPicker({});
  Click(dialog.get(), "Command1");
  EXPECT_EQ(text->text(), before);

  AnswerFolderPicker(QString::fromStdString(picked));
  Click(dialog.get(), "Command1");
  EXPECT_EQ(text->text(), QString::fromStdString(picked) + '/');
}

}  // namespace
}  // namespace qm::gui
