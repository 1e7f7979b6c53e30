// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QStringList>
#include <QTextCharFormat>
#include <QTimer>
#include <filesystem>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/FramePump.h"
#include "gui/common/ListedFaces.h"
#include "gui/mainwindow/InstalledFontScan.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/DrawnFace.h"
#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

QStringList Entries(const QListWidget& list) {
  QStringList entries;
  for (int i = 0; i < list.count(); ++i) entries << list.item(i)->text();
  return entries;
}

// The Chinese collation puts Han names first, in pinyin order, then Latin
// names without regard to letter case.
TEST(InstalledFontScanTest, KeepsNamesSortedCaseInsensitivelyWithChineseByPinyin) {
  test::FakePlatform platform;
  platform.SetFamilyNames({"宋体", "b", "Arial", "黑体", "C", "arial", "A", "测试黑体", "@宋体"});
  QListWidget list;
  QLabel label;
  gui::FramePump pump;
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, pump);
  EXPECT_EQ(Entries(list), (QStringList{"测试黑体", "黑体", "宋体", "A", "Arial", "b", "C"}));
  EXPECT_EQ(label.text(), "字体总数：7");
}

// Names cut at the same length, or whose line breaks show alike, are still
// different families: each keeps an entry that chooses its own face.
TEST(InstalledFontScanTest, NamesShownAlikeKeepAnEntryEachWithTheirOwnRealName) {
  const std::string stem(300, 'x');
  test::FakePlatform platform;
  platform.SetFamilyNames({stem + "A", stem + "B",
                           "Bad\xff"
                           "One",
                           "Bad\xfe"
                           "One",
                           "Bad\xfe"
                           "One"});
  QListWidget list;
  QLabel label;
  gui::FramePump pump;
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, pump);
  ASSERT_EQ(list.count(), 4);
  QSet<QString> shown;
  QSet<QByteArray> real;
  for (int i = 0; i < list.count(); ++i) {
    shown << list.item(i)->text();
    real << list.item(i)->data(kRealNameRole).toByteArray();
  }
  EXPECT_EQ(shown.size(), 4);
  EXPECT_EQ(real, (QSet<QByteArray>{QByteArray::fromStdString(stem + "A"),
                                    QByteArray::fromStdString(stem + "B"),
                                    "Bad\xff"
                                    "One",
                                    "Bad\xfe"
                                    "One"}));
  EXPECT_EQ(label.text(), "字体总数：4");
}

TEST(InstalledFontScanTest, ProgressCountsEveryFamilyAndTheTotalOnlyTheKeptOnes) {
  test::FakePlatform platform;
  std::vector<std::string> names;
  for (int i = 0; i < 320; ++i)
    names.push_back((i % 2 ? "@Family " : "Family ") + std::to_string(1000 + i));
  platform.SetFamilyNames(names);
  QListWidget list;
  QLabel label;
  QStringList seen;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] { seen << label.text(); });
  watcher.start(0);
  gui::FramePump everyItem(0);
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, everyItem);
  EXPECT_TRUE(seen.contains("正在扫描...1/320"));
  EXPECT_TRUE(seen.contains("正在扫描...5/320"));
  EXPECT_TRUE(seen.contains("正在扫描...320/320"));
  EXPECT_EQ(list.count(), 160);
  EXPECT_EQ(label.text(), "字体总数：160");
  for (const QString& entry : Entries(list)) EXPECT_FALSE(entry.startsWith('@'));
}

// Each entry enters the list with its other names and tool tip: changing an
// entry in the list would make the views and the filter look at it again.
TEST(InstalledFontScanTest, EntriesArriveWithTheirDetailsAndAreAnnouncedOnce) {
  test::FakePlatform platform;
  platform.families = {{"Sans", "/fonts/sans.ttf", {}, {}, {"无衬线"}, {"Regular", "Bold"}},
                       {"测试黑体", "/fonts/hei.ttf", {}, {}, {"Test Hei"}, {}}};
  QListWidget list;
  QLabel label;
  int inserted = 0;
  int changed = 0;
  QObject::connect(list.model(), &QAbstractItemModel::rowsInserted, [&] { ++inserted; });
  QObject::connect(list.model(), &QAbstractItemModel::dataChanged, [&] { ++changed; });
  gui::FramePump pump;
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, pump);
  EXPECT_EQ(inserted, 2);
  EXPECT_EQ(changed, 0);
  ASSERT_EQ(Entries(list), (QStringList{"测试黑体", "Sans"}));
  EXPECT_EQ(list.item(0)->data(kOtherNamesRole).toStringList(), QStringList{"Test Hei"});
  EXPECT_EQ(list.item(1)->toolTip(), "其他名称：无衬线\n样式：常规，粗体\n文件：/fonts/sans.ttf");
}

TEST(InstalledFontScanTest, NoFontsGiveAnEmptyListAndZero) {
  test::FakePlatform platform;
  QListWidget list;
  list.addItem("left over");
  QLabel label;
  gui::FramePump pump;
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, pump);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(label.text(), "字体总数：0");
}

TEST(InstalledFontScanTest, AScanPressedDuringAScanIsIgnored) {
  test::FakePlatform platform;
  platform.SetFamilyNames({"Beta", "Alpha"});
  gui::FaceEngine windowFaces;
  gui::MainWindow window(platform, windowFaces);
  platform.whileReading = [&] { test::PressToolbarButton(window, 1); };
  test::PressToolbarButton(window, 1);
  EXPECT_EQ(platform.reads, 1);
  // A scan after the first one finished runs again and rebuilds from empty.
  platform.whileReading = nullptr;
  window.ScanInstalledFonts();
  EXPECT_EQ(platform.reads, 2);
  EXPECT_EQ(Entries(*window.findChild<QListWidget*>("List1")), (QStringList{"Alpha", "Beta"}));
}

// The toolkit reads the installed fonts once; the scan makes it know the
// ones installed since, weights with family names of their own included,
// each drawn by its name in the face fontconfig gives that name.
TEST(InstalledFontScanTest, FacesInstalledSinceStartUpDrawInTheFaceOfTheirName) {
  namespace fs = std::filesystem;
  const test::TestEnvironment& environment = test::TestEnvironment::Current();
  const std::vector<std::string> files = {"QmLooped-Regular.ttf", "QmLooped-Bold.ttf",
                                          "QmLooped-Light.ttf"};
  for (const std::string& file : files)
    fs::copy_file(environment.SourceFont(file), environment.UserFontsFolder() + "/" + file);
  platform::LinuxPlatform platform("zh_CN.UTF-8");
  QListWidget list;
  QLabel label;
  gui::FramePump pump;
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, pump);
  const QStringList names = {"Quillmere Looped", "Quillmere Looped Bold", "Quillmere Looped Light"};
  for (const QString& name : names) {
    ASSERT_EQ(list.findItems(name, Qt::MatchExactly).size(), 1) << name.toStdString();
    QTextCharFormat format;
    SetListedFace(format, name);
    EXPECT_EQ(test::DrawnFace(format.font()), test::FontconfigFace(name)) << name.toStdString();
  }
  QTextCharFormat bold;
  SetListedFace(bold, "Quillmere Looped Bold");
  EXPECT_EQ(test::DrawnFace(bold.font()), "QuillmereLoopedBold-Bold");

  for (const std::string& file : files) fs::remove(environment.UserFontsFolder() + "/" + file);
  ScanInstalledFonts(platform.InstalledFamilies(), &list, &label, pump);
}

}  // namespace
}  // namespace qm::gui
