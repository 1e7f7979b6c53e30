// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "gui/foldertree/UsrDir.h"
#include "support/FolderTest.h"
#include "support/TreeInput.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using platform::Drive;
using platform::DriveKind;

class UsrDirTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    for (const char* folder : {"disk/beta", "disk/Alpha", "disk/alpha2", "disk/.hidden",
                               "disk/Zeta/deeper", "stick/inside", "desk/On Desk", "docs/Mine"})
      fs::create_directories(folder_ + "/" + folder);
    Write("disk/file.ttf");
  }

  FolderTreeSources Sources() {
    FolderTreeSources sources;
    sources.drives = [this] {
      return std::vector<Drive>{{folder_ + "/disk/", DriveKind::kFixed, ""},
                                {folder_ + "/stick/", DriveKind::kRemovable, "KEY"},
                                {folder_ + "/cd/", DriveKind::kCdRom, ""}};
    };
    sources.isReadyCd = [this](const std::string& root) { return root == folder_ + "/cd/"; };
    sources.volumeName = [](const std::string&) { return std::string("DISC_2026"); };
    sources.desktop = QString::fromStdString(folder_ + "/desk");
    sources.documents = QString::fromStdString(folder_ + "/docs");
    return sources;
  }

  QString Q(const std::string& text) const { return QString::fromStdString(text); }

  static QStringList ChildTexts(QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
  }
};

TEST_F(UsrDirTest, BuildsDesktopDocumentsComputerAndTheFirstLevelOfEachFixedDrive) {
  UsrDir tree(nullptr, Sources());
  QTreeWidgetItem* desktop = tree.Node(UsrDir::kDesktopKey);
  ASSERT_NE(desktop, nullptr);
  EXPECT_EQ(ChildTexts(desktop), (QStringList{"My Documents", UsrDir::kMyComputer, "On Desk"}));
  EXPECT_EQ(tree.DesktopPath(), Q(folder_ + "/desk/"));
  EXPECT_EQ(tree.MyDocumentsPath(), Q(folder_ + "/docs/"));

  QTreeWidgetItem* disk = tree.Node(Q("root" + folder_ + "/disk"));
  ASSERT_NE(disk, nullptr);
  EXPECT_EQ(disk->text(0), Q("本地磁盘 (" + folder_ + "/disk)"));
  // Real names, sorted without regard to case, no hidden folders, no files.
  EXPECT_EQ(ChildTexts(disk), (QStringList{"Alpha", "alpha2", "beta", "Zeta"}));
  EXPECT_NE(tree.Node(Q(folder_ + "/disk/Zeta")), nullptr);
  QTreeWidgetItem* stick = tree.Node(Q("root" + folder_ + "/stick"));
  ASSERT_NE(stick, nullptr);
  EXPECT_EQ(stick->text(0), Q("KEY (" + folder_ + "/stick)"));
  EXPECT_EQ(stick->childCount(), 0);  // removable: read when clicked
  EXPECT_TRUE(tree.Path().isEmpty());
}

TEST_F(UsrDirTest, AClickSetsThePathReadsTheFolderOnceAndRaisesClick) {
  UsrDir tree(nullptr, Sources());
  tree.resize(400, 600);
  tree.show();
  QSignalSpy clicks(&tree, &UsrDir::Click);
  QSignalSpy firstReads(&tree, &UsrDir::NodeClick);

  test::ClickNode(tree.Tree(), tree.Node(Q(folder_ + "/disk/Zeta")));
  EXPECT_EQ(tree.Path(), Q(folder_ + "/disk/Zeta/"));
  EXPECT_EQ(ChildTexts(tree.Node(Q(folder_ + "/disk/Zeta"))), QStringList{"deeper"});
  test::ClickNode(tree.Tree(), tree.Node(Q(folder_ + "/disk/Zeta")));
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(firstReads.count(), 1);

  test::ClickNode(tree.Tree(), tree.Node(UsrDir::kComputerKey));
  EXPECT_EQ(tree.Path(), UsrDir::kMyComputer);
  test::ClickNode(tree.Tree(), tree.Node(Q("root" + folder_ + "/stick")));
  EXPECT_EQ(tree.Path(), Q(folder_ + "/stick/"));
  EXPECT_EQ(ChildTexts(tree.Node(Q("root" + folder_ + "/stick"))), QStringList{"inside"});
  test::ClickNode(tree.Tree(), tree.Node(UsrDir::kDesktopKey));
  EXPECT_EQ(tree.Path(), Q(folder_ + "/desk/"));
}

TEST_F(UsrDirTest, KeysMoveTheCurrentNodeAndClickItAndACdNodeFollowsItsDisc) {
  UsrDir tree(nullptr, Sources());
  tree.resize(400, 600);
  tree.show();
  QTreeWidgetItem* cd = tree.Node(Q("root" + folder_ + "/cd"));
  ASSERT_NE(cd, nullptr);
  EXPECT_EQ(cd->text(0), Q("CD 驱动器 (" + folder_ + "/cd)"));
  test::ClickNode(tree.Tree(), cd);
  EXPECT_EQ(cd->text(0), Q("DISC_2026 (" + folder_ + "/cd)"));

  QSignalSpy clicks(&tree, &UsrDir::Click);
  test::ClickNode(tree.Tree(), tree.Node(Q(folder_ + "/disk/Alpha")));
  QTest::keyClick(tree.Tree(), Qt::Key_Down);
  EXPECT_EQ(tree.Path(), Q(folder_ + "/disk/alpha2/"));
  EXPECT_EQ(clicks.count(), 2);
}

}  // namespace
}  // namespace qm::gui
