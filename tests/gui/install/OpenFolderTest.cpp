// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <filesystem>
#include <fstream>

#include "core/platform/linux/LinuxFontResources.h"
#include "gui/common/Dialogs.h"
#include "gui/install/OpenFolder.h"
#include "support/FolderTest.h"
#include "support/Input.h"
#include "support/TreeInput.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

class OpenFolderTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    fs::create_directories(folder_ + "/fonts/sub");
    fs::create_directories(folder_ + "/volume");
    Copy("many/QmMany-00001.ttf", "fonts/Many One.TTF");
    Copy("QmPair.ttc", "fonts/QmPair.ttc");
    Copy("Broken-NotAFont.ttf", "fonts/broken.ttf");
    Write("fonts/readme.txt");
    SetMessageHandler([this](const Message& message) { messages_ << message.text; });
  }
  void TearDown() override { SetMessageHandler(nullptr); }

  void Copy(const std::string& testFont, const std::string& to) {
    fs::copy_file(TestEnvironment::Current().SourceFont(testFont), folder_ + "/" + to);
  }

  // A tree whose one drive is a folder of the test's.
  std::unique_ptr<OpenFolder> MakeDialog() {
    FolderTreeSources sources;
    sources.drives = [this] {
      return std::vector<platform::Drive>{
          {folder_ + "/", platform::DriveKind::kFixed, "Test"},
          {folder_ + "/volume/", platform::DriveKind::kRemovable, "Gone"}};
    };
    sources.desktop = QString::fromStdString(folder_);
    auto dialog = std::make_unique<OpenFolder>(TestEnvironment::Current().UserFontsFolder(),
                                               std::make_unique<platform::LinuxFontResources>(),
                                               nullptr, std::move(sources));
    dialog->show();
    return dialog;
  }

  template <typename T>
  T* Find(OpenFolder& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
  }

  void ClickFolder(OpenFolder& dialog, const QString& key) {
    auto* tree = Find<UsrDir>(dialog, "usrDir1");
    QTreeWidgetItem* node = tree->Node(key);
    ASSERT_NE(node, nullptr) << key.toStdString();
    test::ClickNode(tree->Tree(), node);
  }

  void Press(OpenFolder& dialog, const char* button) {
    QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
  }

  static QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
  }

  QString Q(const std::string& text) const { return QString::fromStdString(text); }

  QStringList messages_;
};

TEST_F(OpenFolderTest, AFolderShowsItsFontFilesWithTheirFamiliesAndASample) {
  auto dialog = MakeDialog();
  EXPECT_EQ(dialog->windowTitle(), "字体浏览、字体安装--Quillmere");
  EXPECT_TRUE(Find<QCheckBox>(*dialog, "Check1")->isChecked());
  ClickFolder(*dialog, Q(folder_ + "/fonts"));
  EXPECT_EQ(Find<QLabel>(*dialog, "Label1")->text(), Q(folder_ + "/fonts/"));
  auto* files = Find<QListWidget>(*dialog, "File1");
  EXPECT_EQ(Texts(files), (QStringList{"broken.ttf", "Many One.TTF", "QmPair.ttc"}));
  auto* names = Find<QListWidget>(*dialog, "List1");
  ASSERT_TRUE(QTest::qWaitFor([&] { return names->count() == 3; }));
  EXPECT_TRUE(names->item(0)->text().startsWith("（不能使用："));
  EXPECT_EQ(names->item(1)->text(), "Quillmere Many 00001");
  EXPECT_EQ(names->item(2)->text(), "Quillmere Pair One, Quillmere Pair Two");

  test::ClickRow(files, 1);
  auto* sample = Find<QTextEdit>(*dialog, "RichTextBox1");
  EXPECT_TRUE(sample->toPlainText().startsWith("字体示例"));
  EXPECT_EQ(sample->currentFont().family(), "Quillmere Many 00001");
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(OpenFolderTest, MyComputerChangesOnlyTheLabelAndAVanishedVolumeIsNotReady) {
  auto dialog = MakeDialog();
  ClickFolder(*dialog, Q(folder_ + "/fonts"));
  ClickFolder(*dialog, UsrDir::kComputerKey);
  EXPECT_EQ(Find<QLabel>(*dialog, "Label1")->text(), "我的电脑");
  EXPECT_EQ(dialog->ShownFolder(), Q(folder_ + "/fonts/"));
  EXPECT_EQ(Find<QListWidget>(*dialog, "File1")->count(), 3);

  fs::remove(folder_ + "/volume");
  ClickFolder(*dialog, Q("root" + folder_ + "/volume"));
  EXPECT_EQ(messages_, QStringList{OpenFolder::kDeviceNotReady});
  EXPECT_EQ(dialog->ShownFolder(), Q(folder_ + "/fonts/"));
  EXPECT_EQ(Find<QListWidget>(*dialog, "File1")->count(), 3);
}

TEST_F(OpenFolderTest, InstallingTheSelectionMakesItsFamiliesDrawInThisProgram) {
  auto dialog = MakeDialog();
  ClickFolder(*dialog, Q(folder_ + "/fonts"));
  QSignalSpy finished(dialog.get(), &OpenFolder::InstallFinished);
  Press(*dialog, "Command1");  // 全选
  Press(*dialog, "Command2");  // 安装
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(messages_, QStringList{"安装完毕！成功安装：2 个字体。"});
  EXPECT_EQ(Find<QLabel>(*dialog, "Label3")->text(), "3/3");
  const std::string fonts = TestEnvironment::Current().UserFontsFolder();
  EXPECT_TRUE(fs::exists(fonts + "/Many One.TTF"));
  EXPECT_FALSE(fs::exists(fonts + "/broken.ttf"));
  EXPECT_EQ(platform::ListedByFontconfig({fonts + "/Many One.TTF", fonts + "/QmPair.ttc"}),
            (std::vector<bool>{true, true}));
  EXPECT_TRUE(QFontDatabase::families().contains("Quillmere Many 00001"));
  EXPECT_TRUE(QFontDatabase::families().contains("Quillmere Pair Two"));

  // Again: every name is taken now.
  Press(*dialog, "Command2");
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(messages_.last(), "安装完毕！成功安装：0 个字体。");
}

TEST_F(OpenFolderTest, InPlaceModeLinksTheSelectedFile) {
  auto dialog = MakeDialog();
  ClickFolder(*dialog, Q(folder_ + "/fonts"));
  QTest::mouseClick(Find<QCheckBox>(*dialog, "Check1"), Qt::LeftButton, Qt::NoModifier,
                    QPoint(8, Find<QCheckBox>(*dialog, "Check1")->height() / 2));
  ASSERT_FALSE(Find<QCheckBox>(*dialog, "Check1")->isChecked());
  test::ClickRow(Find<QListWidget>(*dialog, "File1"), 1);
  QSignalSpy finished(dialog.get(), &OpenFolder::InstallFinished);
  Press(*dialog, "Command2");
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(messages_, QStringList{"安装完毕！成功安装：1 个字体。"});
  const std::string link = TestEnvironment::Current().UserFontsFolder() + "/Many One.TTF";
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), fs::path(folder_ + "/fonts/Many One.TTF"));
}

TEST_F(OpenFolderTest, CloseDuringARunOf200FilesEndsAfterTheCurrentFileWithItsMessage) {
  // 200 files of distinct bytes: each one is copied and flushed.
  std::ifstream in(TestEnvironment::Current().SourceFont("many/QmMany-00002.ttf"),
                   std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  fs::create_directories(folder_ + "/fonts/sub/many");
  for (int i = 0; i < 200; ++i)
    Write("fonts/sub/many/f" + std::to_string(1000 + i) + ".ttf", bytes + std::to_string(i));
  auto dialog = MakeDialog();
  for (const char* folder : {"/fonts", "/fonts/sub", "/fonts/sub/many"})
    ClickFolder(*dialog, Q(folder_ + folder));
  ASSERT_EQ(Find<QListWidget>(*dialog, "File1")->count(), 200);
  QSignalSpy finished(dialog.get(), &OpenFolder::InstallFinished);
  Press(*dialog, "Command1");
  Press(*dialog, "Command2");
  Press(*dialog, "Command2");        // refused: one run at a time
  Press(*dialog, "Command3");        // 关闭
  EXPECT_TRUE(dialog->isVisible());  // until the run has ended
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(dialog->isVisible());
  ASSERT_EQ(messages_.size(), 1);

  const QString progress = Find<QLabel>(*dialog, "Label3")->text();
  const int reached = progress.section('/', 0, 0).toInt();
  EXPECT_LT(reached, 200) << progress.toStdString();
  std::vector<std::string> copies;
  for (const auto& file : fs::directory_iterator(TestEnvironment::Current().UserFontsFolder()))
    if (file.path().filename().string().starts_with("f1")) copies.push_back(file.path());
  EXPECT_EQ(messages_[0], QString("安装完毕！成功安装：%1 个字体。").arg(copies.size()));
  EXPECT_LE(copies.size(), static_cast<std::size_t>(reached));
  for (const bool listed : platform::ListedByFontconfig(copies)) EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace qm::gui
