#include "gui/fontfiles/FontFileList.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "gui/common/FramePump.h"
#include "gui/mainwindow/MainWindow.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

FontFileRow SizedRow(const QString& name, quint64 size, bool readable = true) {
  return RowFromEntry({name.toStdString(), readable, size, {2004, 3, 15, 13, 5, 9}, 0});
}

QStringList Column(const FontFileModel& model, int column) {
  QStringList texts;
  for (int row = 0; row < model.rowCount(); ++row)
    texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
  return texts;
}

TEST(FontFileModelTest, RowsShowTheFormattedSizeAndDate) {
  const FontFileRow row = SizedRow("a.ttf", 1536);
  EXPECT_EQ(row.sizeText, "1.50");
  EXPECT_EQ(row.dateText, "2004-03-15 13:05:09");
  EXPECT_EQ(SizedRow("b.ttf", 0, false).sizeText, "");
}

TEST(FontFileModelTest, SizesSortByValueInBothDirectionsAndUnreadableAsZero) {
  FontFileModel model(nullptr);
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
    rows.push_back(RowFromEntry({"f" + std::to_string(i) + ".ttf", true, 1, dates[i], 0}));
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
  void TearDown() override { gui::FramePump::SetDefaultFrameMs(gui::FramePump::kFrameMs); }
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
    return row < 0 ? QStringLiteral("<no row>") : Model()->Row(row).family;
  }
  void ShowFileTab() { Child<QTabWidget>("SSTab1")->setCurrentIndex(1); }

  platform::LinuxPlatform platform{"zh_CN.UTF-8"};
  gui::MainWindow window{platform};
};

TEST_F(FontFileTabTest, TheFileTabListsTheFontsFolderWithRegisteredFamilies) {
  window.ScanInstalledFonts();
  ShowFileTab();
  const QString folder = QString::fromStdString(TestEnvironment::Current().UserFontsFolder());
  EXPECT_EQ(Child<QLabel>("Label5")->text(), folder);
  EXPECT_EQ(Model()->rowCount(), 10);  // the broken files too
  EXPECT_EQ(Child<QLabel>("Label6")->text(), "10");
  EXPECT_EQ(FamilyOf("QmTestSans-Regular.ttf"), "Quillmere Test Sans");
  EXPECT_EQ(FamilyOf("QmTestSans-Light.ttf"), "Quillmere Test Sans Light");
  EXPECT_EQ(FamilyOf("QmTestSans-Bold.ttf"), "");  // registered for no family
  EXPECT_EQ(FamilyOf("QmTestHei.ttf"), "测试黑体");
  EXPECT_EQ(FamilyOf("Broken-NotAFont.ttf"), "");
  EXPECT_FALSE(Model()->data(Model()->index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());

  // A second visit does not load again; a refresh does.
  fs::copy_file(TestEnvironment::Current().SourceFont("QmAmp.ttf"), folder.toStdString() + "/x.ttf");
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  ShowFileTab();
  EXPECT_EQ(Model()->rowCount(), 10);
  Child<QPushButton>("Command1")->click();
  EXPECT_EQ(Model()->rowCount(), 11);
  fs::remove(folder.toStdString() + "/x.ttf");
}

TEST_F(FontFileTabTest, ACollectionShowsTheFamilyThatComesLastInTheList) {
  window.ScanInstalledFonts();
  ShowFileTab();
  auto* folders = Child<QComboBox>("cboFolder");
  const int system = folders->findText(QString::fromStdString(TestEnvironment::Current().SystemFontsFolder()));
  ASSERT_GE(system, 0);
  folders->setCurrentIndex(system);
  emit folders->activated(system);
  EXPECT_EQ(Model()->rowCount(), 2);
  EXPECT_EQ(FamilyOf("QmPair.ttc"), "Quillmere Pair Two");
  EXPECT_EQ(FamilyOf("QmTestSerif.otf"), "Quillmere Test Serif");
}

TEST_F(FontFileTabTest, HeaderClicksSortAndReverseButAreIgnoredWhileNamesFill) {
  window.ScanInstalledFonts();
  ShowFileTab();
  QHeaderView* header = View()->Report()->header();
  emit header->sectionClicked(FontFileModel::kFileName);
  QStringList names = Column(*Model(), FontFileModel::kFileName);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  }));
  emit header->sectionClicked(FontFileModel::kFileName);
  std::reverse(names.begin(), names.end());
  EXPECT_EQ(Column(*Model(), FontFileModel::kFileName), names);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

  gui::FramePump::SetDefaultFrameMs(0);
  bool clickedWhileFilling = false;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (!window.FillingFontNames() || clickedWhileFilling) return;
    clickedWhileFilling = true;
    emit header->sectionClicked(FontFileModel::kSize);
  });
  clicker.start(0);
  window.FillFontNameColumn();
  EXPECT_TRUE(clickedWhileFilling);
  EXPECT_EQ(Column(*Model(), FontFileModel::kFileName), names);
  EXPECT_EQ(View()->SortColumn(), FontFileModel::kFileName);
}

TEST_F(FontFileTabTest, TheViewOptionsSwitchBetweenReportAndIcons) {
  ShowFileTab();
  EXPECT_TRUE(View()->ShowingReport());
  Child<QRadioButton>("Option1")->click();
  EXPECT_EQ(View()->currentWidget(), View()->Icons());
  Child<QRadioButton>("Option2")->click();
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
  gui::MainWindow window(platform);
  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  EXPECT_EQ(window.findChild<QLabel*>("Label6")->text(), "0");
  auto* folders = window.findChild<QComboBox*>("cboFolder");
  ASSERT_EQ(folders->count(), 2);
  folders->setCurrentIndex(1);
  emit folders->activated(1);
  EXPECT_EQ(window.findChild<QLabel*>("Label6")->text(), "0");
  window.ToolbarButton(8)->trigger();
  EXPECT_EQ(platform.opened, std::vector<std::string>{TestEnvironment::Current().Root() + "/missing-fonts"});
}

}  // namespace
}  // namespace qm::gui
