// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/platform/PathHelpers.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/FramePump.h"
#include "gui/fontfiles/FontFileList.h"
#include "gui/fontfiles/FontFileTab.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

FontFileRow SizedRow(const QString& name, quint64 size, bool readable = true) {
  const std::string file = name.toStdString();
  return RowFromEntry({file, "/fonts/" + file, readable, size, {2004, 3, 15, 13, 5, 9}, 0});
}

QStringList Column(const FontFileModel& model, int column) {
  QStringList texts;
  for (int row = 0; row < model.rowCount(); ++row)
    texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
  return texts;
}

// A model tester made with this aborts the test, naming the rule, when the
// model breaks one.
constexpr auto kAbortOnModelFault = QAbstractItemModelTester::FailureReportingMode::Fatal;

void ClickHeader(QTreeView* report, int column) {
  QHeaderView* header = report->header();
  const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

void ClickRow(QAbstractItemView* view, int row) {
  const QRect item = view->visualRect(view->model()->index(row, FontFileModel::kFileName));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
}

// With the mouse, as a person picks from the opened choice.
void PickFolder(QComboBox* folders, const std::string& folder) {
  const int wanted = folders->findText(QString::fromStdString(folder));
  ASSERT_GE(wanted, 0) << folder;
  QTest::mouseClick(folders, Qt::LeftButton);
  QAbstractItemView* list = folders->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
  // The opened list ignores a release this soon after the click that opened it.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  const QRect item = list->visualRect(list->model()->index(wanted, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int item = 0; item < box->count(); ++item) items << box->itemText(item);
  return items;
}

const char kAllInstalledFiles[] = "所有已安装的字体文件";

// With the arrow keys, as a person moves through the closed choice.
void ChooseFolder(QComboBox* folders, const std::string& folder) {
  const int wanted = folders->findText(QString::fromStdString(folder));
  ASSERT_GE(wanted, 0) << folder;
  while (folders->currentIndex() < wanted) QTest::keyClick(folders, Qt::Key_Down);
  while (folders->currentIndex() > wanted) QTest::keyClick(folders, Qt::Key_Up);
}

TEST(FontFileModelTest, RowsShowTheFormattedSizeAndDate) {
  const FontFileRow row = SizedRow("a.ttf", 1536);
  EXPECT_EQ(row.sizeText, "1.50");
  EXPECT_EQ(row.dateText, "2004-03-15 13:05:09");
  EXPECT_EQ(SizedRow("b.ttf", 0, false).sizeText, "");
}

TEST(FontFileModelTest, SizesSortByValueInBothDirectionsAndUnreadableAsZero) {
  FontFileModel model(nullptr);
  QAbstractItemModelTester tester(&model, kAbortOnModelFault);
  model.SetRows("/fonts", {SizedRow("two.ttf", 2048), SizedRow("mega.ttf", 1048576),
                           SizedRow("ten.ttf", 10240), SizedRow("gone.ttf", 999999, false)});
  model.Sort(FontFileModel::kSize, Qt::AscendingOrder);
  EXPECT_EQ(Column(model, FontFileModel::kFileName),
            (QStringList{"gone.ttf", "two.ttf", "ten.ttf", "mega.ttf"}));
  model.Sort(FontFileModel::kSize, Qt::DescendingOrder);
  EXPECT_EQ(Column(model, FontFileModel::kSize), (QStringList{"1,024.00", "10.00", "2.00", ""}));
}

TEST(FontFileModelTest, FamiliesSortAsTextAndDatesInTime) {
  FontFileModel model(nullptr);
  std::vector<FontFileRow> rows;
  const fileinfo::FileDateTime dates[] = {
      {2004, 3, 15, 13, 5, 9}, {1999, 12, 31, 23, 59, 59}, {2004, 3, 15, 9, 0, 0}};
  for (int i = 0; i < 3; ++i)
    rows.push_back(RowFromEntry({"f" + std::to_string(i) + ".ttf", "", true, 1, dates[i], 0}));
  model.SetRows("/fonts", std::move(rows));
  model.SetFamily(0, "beta");
  model.SetFamily(1, "Alpha");
  model.SetFamily(2, "Gamma");
  model.Sort(FontFileModel::kModified, Qt::AscendingOrder);
  EXPECT_EQ(Column(model, FontFileModel::kFileName), (QStringList{"f1.ttf", "f2.ttf", "f0.ttf"}));
  model.Sort(FontFileModel::kFamily, Qt::DescendingOrder);
  EXPECT_EQ(Column(model, FontFileModel::kFamily), (QStringList{"Gamma", "beta", "Alpha"}));
  model.ClearFamilies();
  EXPECT_EQ(Column(model, FontFileModel::kFamily), (QStringList{"", "", ""}));
}

TEST(FontFileModelTest, IndexesKeptAcrossASortStayOnTheirFiles) {
  FontFileModel model(nullptr);
  QAbstractItemModelTester tester(&model, kAbortOnModelFault);
  model.SetRows("/fonts",
                {SizedRow("b.ttf", 3072), SizedRow("c.ttf", 1024), SizedRow("a.ttf", 2048)});
  const QPersistentModelIndex c(model.index(1, FontFileModel::kSize));
  const QPersistentModelIndex a(model.index(2, FontFileModel::kFileName));
  const auto nameAt = [&](const QPersistentModelIndex& kept) {
    return model.Row(kept.row()).fileName;
  };
  model.Sort(FontFileModel::kFileName, Qt::AscendingOrder);
  EXPECT_EQ(a.row(), 0);
  EXPECT_EQ(nameAt(c), "c.ttf");
  model.Sort(FontFileModel::kSize, Qt::DescendingOrder);
  EXPECT_EQ(nameAt(a), "a.ttf");
  EXPECT_EQ(nameAt(c), "c.ttf");
  EXPECT_EQ(c.row(), 2);
  EXPECT_EQ(c.column(), FontFileModel::kSize);
}

TEST(FontFileModelTest, NamesSortWithoutRegardToCaseAndFilesAreFoundAfterSorting) {
  FontFileModel model(nullptr);
  model.SetRows("/fonts", {SizedRow("b.ttf", 1), SizedRow("C.ttf", 1), SizedRow("a.TTF", 1)});
  model.Sort(FontFileModel::kFileName, Qt::AscendingOrder);
  EXPECT_EQ(Column(model, FontFileModel::kFileName), (QStringList{"a.TTF", "b.ttf", "C.ttf"}));
  EXPECT_EQ(model.FindFile("A.ttf"), 0);
  EXPECT_EQ(model.FindFile("c.TTF"), 2);
  EXPECT_EQ(model.FindFile("/fonts/B.TTF"), 1);
  EXPECT_EQ(model.FindFile("/elsewhere/b.ttf"), -1);
  EXPECT_EQ(model.FindFile("missing.ttf"), -1);
}

class FontFileTabTest : public testing::Test {
 protected:
  FontFileTabTest() {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void TearDown() override {
    gui::FramePump::SetDefaultFrameMs(gui::FramePump::kFrameMs);
    FontFileTab::SetFilesPerStep(FontFileTab::kFilesPerStep);
  }
  template <typename T>
  T* Child(const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  FontFileModel* Model() { return qobject_cast<FontFileModel*>(View()->Report()->model()); }
  FontFileView* View() { return Child<FontFileView>("ListView1"); }
  QString FamilyOf(const QString& file) {
    const int row = Model()->FindFile(file);
    return row < 0 ? QStringLiteral("<no row>") : ShownFamily(Model()->Row(row));
  }
  void ShowFileTab() { Child<QTabWidget>("SSTab1")->setCurrentIndex(1); }
  void ClickFileTab() {
    QTabBar* tabs = Child<QTabWidget>("SSTab1")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  }
  QString FolderOf(const QString& file) {
    const int row = Model()->FindFile(file);
    return row < 0 ? QStringLiteral("<no row>") : Model()->Row(row).folder;
  }

  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  gui::FaceEngine windowFaces;
  gui::MainWindow window{platform, windowFaces};
};

TEST_F(FontFileTabTest, TheFileTabListsTheFontsFolderWithRegisteredFamilies) {
  window.ScanInstalledFonts();
  ShowFileTab();
  const QString folder = QString::fromStdString(TestEnvironment::Current().UserFontsFolder());
  ChooseFolder(Child<QComboBox>("cboFolder"), folder.toStdString());
  EXPECT_EQ(Child<QLabel>("Label5")->text(), folder);
  EXPECT_EQ(Model()->rowCount(), 10);  // the broken files too
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "10");
  EXPECT_EQ(FamilyOf("QmTestSans-Regular.ttf"), "Quillmere Test Sans");
  EXPECT_EQ(FamilyOf("QmTestSans-Light.ttf"), "Quillmere Test Sans Light");
  // Registered for no family: the face the file holds.
  EXPECT_EQ(FamilyOf("QmTestSans-Bold.ttf"), "Quillmere Test Sans Bold");
  EXPECT_EQ(FamilyOf("QmTestHei.ttf"), "测试黑体");
  EXPECT_EQ(FamilyOf("Broken-NotAFont.ttf"), "");
  EXPECT_FALSE(Model()->data(Model()->index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());

  // A second visit does not load again; a refresh does.
  fs::copy_file(TestEnvironment::Current().SourceFont("QmAmp.ttf"),
                folder.toStdString() + "/x.ttf");
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  ShowFileTab();
  EXPECT_EQ(Model()->rowCount(), 10);
  QTest::mouseClick(Child<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_EQ(Model()->rowCount(), 11);
  fs::remove(folder.toStdString() + "/x.ttf");
}

QString UserFolder() {
  return QString::fromStdString(TestEnvironment::Current().UserFontsFolder());
}
QString SystemFolder() {
  return QString::fromStdString(TestEnvironment::Current().SystemFontsFolder());
}

TEST_F(FontFileTabTest, TheTabOpensOnEveryInstalledFontFileWithItsFolderAndFaces) {
  window.ScanInstalledFonts();
  ClickFileTab();
  EXPECT_EQ(Child<QLabel>("Label5")->text(), kAllInstalledFiles);
  EXPECT_EQ(Child<QComboBox>("cboFolder")->currentText(), kAllInstalledFiles);
  // The test configuration's 7 user and 2 system font files; broken files are no fonts.
  EXPECT_EQ(Model()->rowCount(), 9);
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "9");
  EXPECT_EQ(FamilyOf("Broken-NotAFont.ttf"), "<no row>");
  EXPECT_FALSE(View()->Report()->isColumnHidden(FontFileModel::kFolder));
  EXPECT_EQ(Model()->headerData(FontFileModel::kFolder, Qt::Horizontal, Qt::DisplayRole).toString(),
            "位置");
  EXPECT_EQ(FolderOf(SystemFolder() + "/QmPair.ttc"), SystemFolder());
  EXPECT_EQ(FolderOf(UserFolder() + "/QmAmp.ttf"), UserFolder());
  EXPECT_EQ(FamilyOf("QmTestSans-Regular.ttf"), "Quillmere Test Sans");
  EXPECT_EQ(FamilyOf("QmTestSans-Bold.ttf"), "Quillmere Test Sans Bold");
  EXPECT_EQ(FamilyOf(SystemFolder() + "/QmPair.ttc"), "Quillmere Pair Two");
  EXPECT_FALSE(Column(*Model(), FontFileModel::kFamily).contains(QString()));
}

TEST_F(FontFileTabTest, ItalicCffAndType1FilesShowTheirFaces) {
  const std::string extra = TestEnvironment::Current().FolderForCurrentTest("files");
  for (const char* font :
       {"QmTestSerif-Italic.otf", "QmTypeOne-Italic.pfb", "QmTypeOne-Regular.pfa"})
    fs::copy_file(TestEnvironment::Current().SourceFont(font), extra + "/" + font);
  test::ScopedFontsConf conf(extra, "");
  window.ScanInstalledFonts();
  ClickFileTab();
  const QString folder = QString::fromStdString(extra);
  EXPECT_EQ(FamilyOf(folder + "/QmTestSerif-Italic.otf"), "Quillmere Test Serif Italic");
  EXPECT_EQ(FamilyOf(folder + "/QmTypeOne-Italic.pfb"), "Quillmere Type One Italic");
  EXPECT_EQ(FamilyOf(folder + "/QmTypeOne-Regular.pfa"), "Quillmere Type One");
  EXPECT_EQ(FamilyOf(SystemFolder() + "/QmTestSerif.otf"), "Quillmere Test Serif");
  EXPECT_EQ(FolderOf(folder + "/QmTypeOne-Italic.pfb"), folder);
}

TEST_F(FontFileTabTest, TheFolderBoxNamesEachFolderOnceAndOnlyFoldersWithFonts) {
  const TestEnvironment& environment = TestEnvironment::Current();
  const std::string empty = environment.FolderForCurrentTest("empty");
  std::ofstream(empty + "/notes.txt") << "no font";
  const std::string link = environment.FolderForCurrentTest("links") + "/system";
  fs::create_directory_symlink(environment.SystemFontsFolder(), link);
  test::ScopedFontsConf conf(
      empty, "<dir>" + link + "</dir><dir>" + environment.SystemFontsFolder() + "/</dir>");
  window.ScanInstalledFonts();
  ClickFileTab();
  // The system folder under whichever of its names fontconfig gave first.
  const QStringList items = Items(Child<QComboBox>("cboFolder"));
  ASSERT_EQ(items.size(), 3) << items.join(' ').toStdString();
  EXPECT_EQ(items.mid(0, 2), (QStringList{kAllInstalledFiles, UserFolder()}));
  EXPECT_EQ(fs::canonical(items[2].toStdString()), fs::canonical(SystemFolder().toStdString()));
  EXPECT_EQ(Model()->rowCount(), 9);  // the linked files once
}

TEST_F(FontFileTabTest, ChoosingAFolderWithTheMouseOrTheKeysChangesTheList) {
  window.ScanInstalledFonts();
  ClickFileTab();
  ASSERT_EQ(Model()->rowCount(), 9);
  auto* folders = Child<QComboBox>("cboFolder");
  PickFolder(folders, SystemFolder().toStdString());
  EXPECT_EQ(Child<QLabel>("Label5")->text(), SystemFolder());
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_TRUE(View()->Report()->isColumnHidden(FontFileModel::kFolder));
  ChooseFolder(folders, UserFolder().toStdString());
  EXPECT_EQ(Model()->rowCount(), 10);
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "10");
  ChooseFolder(folders, kAllInstalledFiles);
  EXPECT_EQ(Child<QLabel>("Label5")->text(), kAllInstalledFiles);
  EXPECT_EQ(Model()->rowCount(), 9);
  EXPECT_FALSE(View()->Report()->isColumnHidden(FontFileModel::kFolder));
}

TEST_F(FontFileTabTest, ARefreshListsAFontInstalledSince) {
  window.ScanInstalledFonts();
  ClickFileTab();
  ASSERT_EQ(Model()->rowCount(), 9);
  const std::string added = TestEnvironment::Current().UserFontsFolder() + "/QmLooped-Regular.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmLooped-Regular.ttf"), added);
  QTest::mouseClick(Child<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_EQ(Model()->rowCount(), 10);
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "10");
  // Not in the font-name list before a new scan: named by its face.
  EXPECT_EQ(FamilyOf(QString::fromStdString(added)), "Quillmere Looped Regular");
  fs::remove(added);
}

TEST_F(FontFileTabTest, TheWindowRunsBetweenTheStepsOfAListing) {
  FontFileTab::SetFilesPerStep(2);
  window.ScanInstalledFonts();
  QSignalSpy loaded(window.findChild<FontFileTab*>(), &FontFileTab::ListLoaded);
  ClickFileTab();
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "正在加载...");
  EXPECT_EQ(Model()->rowCount(), 0);
  int windowEvents = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++windowEvents; });
  ticker.start(0);
  ASSERT_TRUE(loaded.wait(10000));
  EXPECT_GE(windowEvents, 3);  // 7 files left after the first step: 4 steps
  EXPECT_EQ(Model()->rowCount(), 9);
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "9");
  EXPECT_EQ(FamilyOf("QmTestSans-Regular.ttf"), "Quillmere Test Sans");
}

TEST_F(FontFileTabTest, ACollectionShowsTheFamilyThatComesLastInTheList) {
  window.ScanInstalledFonts();
  ShowFileTab();
  ChooseFolder(Child<QComboBox>("cboFolder"), TestEnvironment::Current().SystemFontsFolder());
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(FamilyOf("QmPair.ttc"), "Quillmere Pair Two");
  EXPECT_EQ(FamilyOf("QmTestSerif.otf"), "Quillmere Test Serif");
}

TEST_F(FontFileTabTest, HeaderClicksSortAndReverseButAreIgnoredWhileNamesFill) {
  window.ScanInstalledFonts();
  ShowFileTab();
  QTreeView* report = View()->Report();
  ClickHeader(report, FontFileModel::kFileName);
  QStringList names = Column(*Model(), FontFileModel::kFileName);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  }));
  ClickHeader(report, FontFileModel::kFileName);
  std::reverse(names.begin(), names.end());
  EXPECT_EQ(Column(*Model(), FontFileModel::kFileName), names);
  EXPECT_EQ(report->header()->sortIndicatorOrder(), Qt::DescendingOrder);

  gui::FramePump::SetDefaultFrameMs(0);
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  bool clickedWhileFilling = false;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (!window.findChild<gui::FontFileTab*>()->FillingFontNames() || clickedWhileFilling) return;
    clickedWhileFilling = true;
    ClickHeader(report, FontFileModel::kSize);
  });
  clicker.start(0);
  // Back on the file tab, the family column fills again from the last scan.
  ClickFileTab();
  EXPECT_TRUE(clickedWhileFilling);
  EXPECT_EQ(Column(*Model(), FontFileModel::kFileName), names);
  EXPECT_EQ(View()->SortColumn(), FontFileModel::kFileName);
  EXPECT_EQ(report->header()->sortIndicatorSection(), FontFileModel::kFileName);
}

TEST_F(FontFileTabTest, TheViewOptionsSwitchBetweenReportAndIcons) {
  ShowFileTab();
  EXPECT_TRUE(View()->ShowingReport());
  QTest::mouseClick(Child<QRadioButton>("Option1"), Qt::LeftButton);
  EXPECT_EQ(View()->currentWidget(), View()->Icons());
  QTest::mouseClick(Child<QRadioButton>("Option2"), Qt::LeftButton);
  EXPECT_TRUE(View()->ShowingReport());
}

TEST(FontFileFolderTest, EmptyAndMissingFoldersShowZeroAndOpenShowsTheFolder) {
  test::FakePlatform platform;
  const std::string empty = TestEnvironment::Current().Root() + "/empty-fonts";
  fs::create_directories(empty);
  platform.registry.PutText(platform::kHkeyCurrentUser,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "fonts", empty);
  platform.folders = {TestEnvironment::Current().Root() + "/missing-fonts"};
  gui::FaceEngine windowFaces;
  gui::MainWindow window(platform, windowFaces);
  window.show();
  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  EXPECT_EQ(window.findChild<QLabel*>("Label6")->text(), "0");
  // The installed files shown, 打开 opens the user's fonts folder.
  test::PressToolbarButton(window, 8);
  EXPECT_EQ(platform.opened, std::vector<std::string>{empty});
  // The missing folder holds no font file: not offered.
  auto* folders = window.findChild<QComboBox*>("cboFolder");
  EXPECT_EQ(folders->findText(QString::fromStdString(platform.folders[0])), -1);
  ASSERT_EQ(folders->count(), 2);
  ChooseFolder(folders, empty);
  EXPECT_EQ(window.findChild<QLabel*>("Label6")->text(), "0");
  test::PressToolbarButton(window, 8);
  EXPECT_EQ(platform.opened, (std::vector<std::string>{empty, empty}));
}

TEST(FontFileFolderTest, FolderChoicesNameEachFolderOnceStartingWithTheUsers) {
  const std::string root = TestEnvironment::Current().FolderForCurrentTest("choices");
  for (const char* folder : {"/user", "/a", "/none"}) fs::create_directories(root + folder);
  fs::create_directory_symlink(root + "/a", root + "/b");
  const std::vector<platform::InstalledFontFile> files = {
      {root + "/a/x.ttf", root + "/a", {}},
      {root + "/b/y.ttf", root + "/b", {}},
      {root + "/user/z.ttf", root + "/user", {}},
      {root + "/a/w.ttf", root + "/a", {}}};
  const QString user = QString::fromStdString(root + "/user");
  EXPECT_EQ(FolderChoices(user + "//", files),
            (QStringList{user, QString::fromStdString(root + "/a")}));
  EXPECT_EQ(FolderChoices(user, {}), QStringList{user});
}

// The tab alone, shown, with families registered for files the test chooses.
class FontFileTabInputTest : public testing::Test {
 protected:
  FontFileTabInputTest() {
    tab.resize(900, 500);
    tab.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&tab));
  }
  void TearDown() override { gui::FramePump::SetDefaultFrameMs(gui::FramePump::kFrameMs); }
  template <typename T>
  T* Child(const char* name) {
    T* child = tab.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  FontFileView* View() { return Child<FontFileView>("ListView1"); }
  FontFileModel* Model() { return qobject_cast<FontFileModel*>(View()->Report()->model()); }
  QString SelectedFileName() {
    const QModelIndexList rows = View()->Report()->selectionModel()->selectedRows();
    return rows.size() == 1 ? Model()->Row(rows[0].row()).fileName : QStringLiteral("<none>");
  }
  QString FamilyOf(const QString& file) {
    const int row = Model()->FindFile(file);
    return row < 0 ? QStringLiteral("<no row>") : ShownFamily(Model()->Row(row));
  }
  // Runs action once, from the window events the family fill lets run,
  // after the fill has looked up its last family.
  void DuringTheLastFamilyLookup(const std::function<void()>& action) {
    gui::FramePump::SetDefaultFrameMs(0);
    bool done = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (done || !tab.FillingFontNames() || lastLookedUp_ != familyNames_.last()) return;
      done = true;
      action();
    });
    timer.start(0);
    QTest::mouseClick(Child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_TRUE(done);
  }
  std::string OwnFolder(const std::vector<std::string>& files) {
    const std::string folder = TestEnvironment::Current().FolderForCurrentTest("files");
    for (const std::string& file : files) std::ofstream(folder + "/" + file) << "x";
    return folder;
  }

  QStringList familyNames_ = {"Sans", "Pair", "Hei", "Serif"};
  QHash<QString, QString> registered_ = {{"Sans", "QmTestSans-Regular.ttf"},
                                         {"Pair", "QmPair.ttc"},
                                         {"Hei", "QmTestHei.ttf"},
                                         {"Serif", "QmTestSerif.otf"}};
  QString lastLookedUp_;
  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  FontFileTab tab{platform,
                  {[this] {
                     ListedFamilies families;
                     for (const QString& name : familyNames_) families << ListFamily(name.toUtf8());
                     return families;
                   },
                   [this](const QByteArray& family) {
                     lastLookedUp_ = QString::fromUtf8(family);
                     return registered_.value(lastLookedUp_);
                   }}};
};

TEST_F(FontFileTabInputTest, TheSelectionStaysOnItsFileWhenAHeaderClickSorts) {
  QAbstractItemModelTester tester(Model(), kAbortOnModelFault);
  tab.OpenFontsFolder();
  QTreeView* report = View()->Report();
  ClickHeader(report, FontFileModel::kFileName);
  ClickRow(report, 1);
  const QString chosen = Model()->Row(1).fileName;
  ASSERT_EQ(SelectedFileName(), chosen);
  ClickHeader(report, FontFileModel::kFileName);  // reversed: the file moves near the end
  EXPECT_EQ(SelectedFileName(), chosen);
  EXPECT_EQ(Model()->Row(report->currentIndex().row()).fileName, chosen);
  EXPECT_EQ(report->currentIndex().row(), Model()->rowCount() - 2);
  ClickHeader(report, FontFileModel::kSize);
  EXPECT_EQ(SelectedFileName(), chosen);
}

TEST_F(FontFileTabInputTest, ARefreshDuringTheFamilyFillStillFillsEveryFamily) {
  tab.OpenFontsFolder();
  EXPECT_EQ(FamilyOf("QmTestSans-Regular.ttf"), "Sans");
  DuringTheLastFamilyLookup(
      [&] { QTest::mouseClick(Child<QPushButton>("Command1"), Qt::LeftButton); });
  EXPECT_EQ(FamilyOf("QmTestSans-Regular.ttf"), "Sans");
  EXPECT_EQ(FamilyOf("QmTestHei.ttf"), "Hei");
  EXPECT_FALSE(tab.FillingFontNames());
}

TEST_F(FontFileTabInputTest, AnotherFolderChosenDuringTheFamilyFillGetsItsFamilies) {
  tab.OpenFontsFolder();
  DuringTheLastFamilyLookup([&] {
    ChooseFolder(Child<QComboBox>("cboFolder"), TestEnvironment::Current().SystemFontsFolder());
  });
  ASSERT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(FamilyOf("QmPair.ttc"), "Pair");
  EXPECT_EQ(FamilyOf("QmTestSerif.otf"), "Serif");
}

TEST_F(FontFileTabInputTest, IconsShowWholeNamesAndTheReportWholeSizesAndDates) {
  const std::vector<std::string> files = {"a.ttf", "a-name-far-longer-than-the-first-one.ttf"};
  tab.LoadFontFileList(QString::fromStdString(OwnFolder(files)));
  auto* report = static_cast<QAbstractItemView*>(View()->Report());
  ClickHeader(View()->Report(), FontFileModel::kFileName);  // the short name first
  for (int column : {FontFileModel::kSize, FontFileModel::kModified})
    EXPECT_GE(View()->Report()->columnWidth(column), report->sizeHintForColumn(column)) << column;

  QTest::mouseClick(Child<QRadioButton>("Option1"), Qt::LeftButton);
  QListView* icons = View()->Icons();
  ASSERT_TRUE(icons->isVisible());
  EXPECT_LE(icons->iconSize().height(), icons->style()->pixelMetric(QStyle::PM_SmallIconSize));
  for (int row = 0; row < Model()->rowCount(); ++row) {
    const QString name = Model()->Row(row).fileName;
    const int needed = icons->fontMetrics().horizontalAdvance(name) + icons->iconSize().width();
    EXPECT_GE(icons->visualRect(Model()->index(row, 0)).width(), needed) << name.toStdString();
  }
}

TEST_F(FontFileTabInputTest, ARowKeepsThePathOfAFileWhoseNameIsNotUtf8) {
  const std::string badName = "bad\xff.ttf";
  const std::string folder = OwnFolder({badName, "good.ttf"});
  tab.LoadFontFileList(QString::fromStdString(folder));
  ASSERT_EQ(Model()->rowCount(), 2);
  std::vector<std::string> paths;
  for (int row = 0; row < Model()->rowCount(); ++row) {
    const QVariant path =
        Model()->data(Model()->index(row, FontFileModel::kSize), FontFileModel::kPathRole);
    paths.push_back(path.toByteArray().toStdString());
    EXPECT_TRUE(platform::FileIsPresent(paths.back())) << paths.back();
  }
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (std::vector<std::string>{folder + "/" + badName, folder + "/good.ttf"}));
}

}  // namespace
}  // namespace qm::gui
