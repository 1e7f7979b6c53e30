// SPDX-License-Identifier: GPL-3.0-or-later
// Family names no one would choose: line breaks, format markers, bytes that
// are not UTF-8, ten thousand characters. Each is one entry, one sheet line
// and one sample, and keeps its file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "core/catalogue/FamilyNames.h"
#include "core/catalogue/FontTable.h"
#include "gui/fontfiles/FontFileList.h"
#include "gui/fontfiles/FontFileTab.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/SampleSheet.h"
#include "support/FakePlatform.h"
#include "support/Input.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kHostileNames = {
    "Plain",           "Line\nBreak",           "Carriage\rReturn",
    "Both\r\nBreaks",  "Pct %1 %2 %n",          "Bad\xff\xfe Bytes",
    "Para\u2029Graph", std::string(10000, 'W'), "Tab\tand\x01Nul"};

class HostileNamesTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = test::TestEnvironment::Current().FolderForCurrentTest("hostile-names");
    platform_.SetFamilyNames(kHostileNames);
    platform_.registry.CreateKey(platform::kHkeyLocalMachine, catalogue::kFontsNtKey);
    platform_.registry.PutText(platform::kHkeyCurrentUser, catalogue::kShellFoldersKey, "fonts",
                               folder_);
    // Each family registered for a file of its own, by its real name.
    for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
      const std::string file = folder_ + "/f" + std::to_string(i) + ".ttf";
      std::ofstream(file) << "not read";
      platform_.fontFiles.push_back({file, folder_, {}});
      platform_.registry.PutText(platform::kHkeyLocalMachine, catalogue::kFontsNtKey,
                                 kHostileNames[i] + catalogue::kTrueTypeSuffix, file);
    }
    window_.show();
    window_.ScanInstalledFonts();
  }
  QListWidget* List() { return window_.findChild<QListWidget*>("List1"); }
  SheetView* Sheet() { return window_.findChild<SheetView*>("RichTextBox2"); }
  QString Sample() { return window_.findChild<QTextEdit*>("RichTextBox1")->toPlainText(); }
  QString Label3() { return window_.findChild<QLabel*>("Label3")->text(); }
  static QString Shown(const std::string& name) {
    return QString::fromStdString(catalogue::ShownFamilyName(name));
  }
  int RowOf(const std::string& name) {
    const QList<QListWidgetItem*> found = List()->findItems(Shown(name), Qt::MatchExactly);
    return found.size() == 1 ? List()->row(found[0]) : -1;
  }
  void ClickEntry(int row) {
    List()->scrollToItem(List()->item(row));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(List()->item(row)).center());
  }

  std::string folder_;
  test::FakePlatform platform_;
  FaceEngine windowFaces_;
  MainWindow window_{platform_, windowFaces_};
};

TEST_F(HostileNamesTest, EveryNameIsOneEntryAndItsSampleShowsItWithItsFile) {
  ASSERT_EQ(List()->count(), static_cast<int>(kHostileNames.size()));
  for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
    const std::string& name = kHostileNames[i];
    const int row = RowOf(name);
    ASSERT_GE(row, 0) << name;
    ClickEntry(row);
    const QString file = QString::fromStdString(folder_ + "/f" + std::to_string(i) + ".ttf");
    const QString sample = Sample();
    EXPECT_TRUE(sample.startsWith(QStringLiteral("文件名：") + file + QStringLiteral("  字体名：") +
                                  Shown(name) + QStringLiteral(" (正常体12)\n")))
        << sample.left(300).toStdString();
    EXPECT_EQ(sample.count(u'\n'), 4) << name;  // five lines, whatever the name holds
  }
  const int longRow = RowOf(std::string(10000, 'W'));
  EXPECT_EQ(List()->item(longRow)->text().size(),
            static_cast<qsizetype>(catalogue::kShownNameLimit));
}

TEST_F(HostileNamesTest, SheetLineKIsEntryKAndAClickOnItChoosesIt) {
  QTest::mouseClick(test::ToolbarButtonWidget(window_, 2), Qt::LeftButton);
  const QAbstractItemModel* sheet = Sheet()->model();
  ASSERT_EQ(sheet->rowCount(), List()->count());
  for (int line = 0; line < List()->count(); ++line)
    EXPECT_EQ(sheet->index(line, 0).data().toString(), List()->item(line)->text());

  for (int line = List()->count() - 1; line >= 0; --line) {
    test::ClickLine(Sheet(), line);
    EXPECT_EQ(List()->currentRow(), line);
    EXPECT_EQ(Label3(), QStringLiteral("第%1种字体").arg(line + 1));
  }
}

TEST_F(HostileNamesTest, TheFileListShowsEachFileWithItsFamilysShownName) {
  window_.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  const auto* model = window_.findChild<FontFileView*>("ListView1")->Report()->model();
  const auto* files = qobject_cast<const FontFileModel*>(model);
  ASSERT_NE(files, nullptr);
  for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
    const int row =
        files->FindFile(QString::fromStdString(folder_ + "/f" + std::to_string(i) + ".ttf"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(files->Row(row).family, Shown(kHostileNames[i]));
  }
}

}  // namespace
}  // namespace qm::gui
