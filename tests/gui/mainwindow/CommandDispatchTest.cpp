// SPDX-License-Identifier: GPL-3.0-or-later
// Every toolbar button on every tab, every menu item and the buttons of the
// tabs, pressed as a person presses them, reach their command, and only
// their command; and the web entries hand the desktop their exact addresses.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "core/platform/RegistryKeys.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "gui/about/MakerSite.h"
#include "gui/about/ProjectInfo.h"
#include "gui/common/Dialogs.h"
#include "gui/customtext/CustomTextTab.h"
#include "gui/fontfiles/FontFileList.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/SampleSheet.h"
#include "gui/sheet/SheetTab.h"
#include "support/Externals.h"
#include "support/FakePlatform.h"
#include "support/FolderTest.h"
#include "support/Input.h"
#include "support/ModalDialogs.h"
#include "support/PrivateCups.h"
#include "support/RecordingViewer.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

// The project's own fonts, so that the file tab has files to act on.
std::string FontsFolder() { return test::TestEnvironment::Current().UserFontsFolder(); }
constexpr char kTrueTypeFile[] = "QmQuote.ttf";

// The maker's site in these tests: nothing answers there, so the about box
// shows its line at once.
constexpr char kSiteHost[] = "127.0.0.1:1";
std::string Address(const char* path) { return std::string("http://") + kSiteHost + path; }

// What a person can tell a command did.
struct Seen {
  int tab = 0;
  int scans = 0;
  std::vector<std::string> opened;
  bool stopRequested = false;
  QString sheet;
  TextStyleFlags sheetStyle;
  TextStyleFlags customStyle;
  QString popup;   // the menu that popped up
  QString dialog;  // the modal window that opened
  bool exitTimerRunning = false;
  int colourDialogs = 0;
  QStringList viewed;      // files the desktop's viewer was started on
  QStringList messages;    // message boxes shown
  bool fileReport = true;  // the font files shown as a report, not as icons

  bool operator==(const Seen& other) const {
    const auto flags = [](const TextStyleFlags& f) {
      return std::tuple(f.bold, f.italic, f.underline, f.centred);
    };
    return std::tie(tab, scans, opened, stopRequested, sheet, popup, dialog, exitTimerRunning,
                    colourDialogs, viewed, messages, fileReport) ==
               std::tie(other.tab, other.scans, other.opened, other.stopRequested, other.sheet,
                        other.popup, other.dialog, other.exitTimerRunning, other.colourDialogs,
                        other.viewed, other.messages, other.fileReport) &&
           flags(sheetStyle) == flags(other.sheetStyle) &&
           flags(customStyle) == flags(other.customStyle);
  }
};

void PrintTo(const Seen& seen, std::ostream* out) {
  const auto flags = [](const TextStyleFlags& f) {
    return std::string(f.bold ? "B" : "-") + (f.italic ? "I" : "-") + (f.underline ? "U" : "-") +
           (f.centred ? "C" : "-");
  };
  *out << "{tab " << seen.tab << ", scans " << seen.scans << ", opened";
  for (const std::string& target : seen.opened) *out << " " << target;
  *out << ", stop " << seen.stopRequested << ", sheet " << seen.sheet.size() << " chars, styles "
       << flags(seen.sheetStyle) << "/" << flags(seen.customStyle) << ", popup '"
       << seen.popup.toStdString() << "', dialog '" << seen.dialog.toStdString() << "', exit "
       << seen.exitTimerRunning << ", colour dialogs " << seen.colourDialogs << ", viewed '"
       << seen.viewed.join(' ').toStdString() << "', messages '"
       << seen.messages.join(' ').toStdString() << "', report " << seen.fileReport << "}";
}

using Effect = std::function<void(Seen&)>;

const Effect kNothing = [](Seen&) {};
Effect Popup(const char* menu) {
  return [menu](Seen& seen) { seen.popup = QString::fromUtf8(menu); };
}
Effect Opens(const std::string& target) {
  return [target](Seen& seen) { seen.opened.push_back(target); };
}
Effect Dialog(const char* name) {
  return [name](Seen& seen) { seen.dialog = QString::fromUtf8(name); };
}
Effect Views(const std::string& file) {
  return [file](Seen& seen) { seen.viewed << QString::fromStdString(file); };
}
// The effect on the tabs with text to print; none on the file tab.
Effect OnTextTabs(const Effect& effect) {
  return [effect](Seen& seen) {
    if (seen.tab != 1) effect(seen);
  };
}
Effect OnFileTab(const Effect& effect) {
  return [effect](Seen& seen) {
    if (seen.tab == 1) effect(seen);
  };
}
// A style on the tab shown; none on the file tab.
Effect Style(bool TextStyleFlags::*flag, bool on = true) {
  return [flag, on](Seen& seen) {
    if (seen.tab == 0) seen.sheetStyle.*flag = on;
    if (seen.tab == 2) seen.customStyle.*flag = on;
  };
}

struct ButtonRow {
  int position;
  std::vector<int> tabs;
  Effect effect;
  const char* before = nullptr;  // a button pressed first, so that the effect shows
};

struct MenuRow {
  const char* opener;  // the toolbar button that pops the menu up, or the list right-clicked
  const char* menu;
  const char* item;
  Effect effect;
  std::vector<int> tabs = {0};
  const char* before = nullptr;  // a toolbar button pressed first
};

// A push button on a tab, by name.
struct TabButtonRow {
  int tab;
  const char* button;
  Effect effect;
  const char* before = nullptr;  // a toolbar button pressed first
};

class CommandDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_.SetFamilyNames({"Alpha", "Beta", "Gamma"});
    platform_.registry.PutText(platform::kHkeyCurrentUser, platform::kShellFoldersKey, "Fonts",
                               FontsFolder());
    platform_.fontFiles = {{FontsFolder() + "/" + kTrueTypeFile, FontsFolder(), {"Tom's Type"}}};
    SetColourChooser([this](const QColor&, QWidget*) {
      ++colourDialogs_;
      return QColor();
    });
    SetMessageHandler([this](const Message& message) { messages_ << message.text; });
  }
  void TearDown() override {
    SetColourChooser(nullptr);
    SetMessageHandler(nullptr);
  }

  // A window of its own for each press, started as the program starts.
  void Start() {
    window_ = std::make_unique<MainWindow>(platform_, faces_);
    window_->Startup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  QTabWidget* Tabs() const { return window_->findChild<QTabWidget*>("SSTab1"); }
  void ShowTab(int tab) {
    QTabBar* bar = Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    ASSERT_EQ(Tabs()->currentIndex(), tab);
    // The file tab fills its list as it opens; its commands need the files.
    if (tab == 1) {
      ASSERT_TRUE(QTest::qWaitFor([this] { return FileRowFor(kTrueTypeFile); }));
    }
  }
  // The shown item view of the named list.
  QAbstractItemView* ShownView(const char* list) const {
    auto* widget = window_->findChild<QWidget*>(list);
    if (auto* view = qobject_cast<QAbstractItemView*>(widget)) return view;
    for (auto* inner : widget->findChildren<QAbstractItemView*>())
      if (inner->isVisible()) return inner;
    return nullptr;
  }
  std::optional<QModelIndex> Entry(const char* list, const char* text) const {
    QAbstractItemView* view = ShownView(list);
    if (!view) return std::nullopt;
    const QModelIndexList found =
        view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, QString::fromUtf8(text));
    if (found.isEmpty()) return std::nullopt;
    return found.constFirst();
  }
  bool FileRowFor(const char* file) const { return Entry("ListView1", file).has_value(); }
  QWidget* ButtonWidget(int position) const {
    return test::ToolbarButtonWidget(*window_, position);
  }
  QWidget* ButtonWidget(const char* key) const {
    for (int position = 1; position <= kToolbarPositions; ++position)
      if (QAction* button = test::ToolbarButton(*window_, position);
          button && button->objectName() == QString::fromUtf8(key))
        return ButtonWidget(position);
    return nullptr;
  }

  // Pops a menu up as a person does: with the toolbar button of that key, or
  // with the right button on an entry of the named list, which chooses it.
  void OpenMenu(const char* opener) {
    if (QWidget* button = ButtonWidget(opener)) {
      QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
      return;
    }
    const char* entry = QByteArray(opener) == "List1" ? "Alpha" : kTrueTypeFile;
    const std::optional<QModelIndex> index = Entry(opener, entry);
    ASSERT_TRUE(index) << opener << " has no " << entry;
    QWidget* viewport = ShownView(opener)->viewport();
    // Through the window, as the display delivers it: only then does the
    // right button also ask for the context menu.
    const QPoint at =
        viewport->mapTo(window_.get(), ShownView(opener)->visualRect(*index).center());
    QTest::mouseClick(window_->windowHandle(), Qt::RightButton, {}, at);
  }

  Seen Look() const {
    Seen seen;
    seen.tab = Tabs()->currentIndex();
    seen.scans = platform_.reads;
    seen.opened = platform_.opened;
    seen.stopRequested = window_->StopRequested();
    const QAbstractItemModel* sheet = window_->findChild<SheetView*>("RichTextBox2")->model();
    QStringList lines;
    for (int line = 0; line < sheet->rowCount(); ++line)
      lines << sheet->index(line, 0).data().toString();
    seen.sheet = lines.join(u'\n');
    seen.sheetStyle = window_->findChild<SheetTab*>()->Flags();
    seen.customStyle = window_->findChild<CustomTextTab*>()->Flags();
    seen.exitTimerRunning = window_->findChild<QTimer*>("Timer1")->isActive();
    seen.colourDialogs = colourDialogs_;
    seen.viewed = viewer_.Viewed();
    seen.messages = messages_;
    seen.fileReport = window_->findChild<FontFileView*>("ListView1")->ShowingReport();
    return seen;
  }

  // Presses with the mouse; notes and closes the menu or window it opens.
  Seen PressAndLook(QWidget* widget, const QPoint& at) {
    return DoAndLook([&] { QTest::mouseClick(widget, Qt::LeftButton, {}, at); });
  }
  // Does what a person does; notes and closes the menu or window it opens.
  Seen DoAndLook(const std::function<void()>& act) {
    QString dialog;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        // The toolkit's own dialogs carry no name: their class tells them apart.
        dialog = modal->objectName().isEmpty()
                     ? QString::fromLatin1(modal->metaObject()->className())
                     : modal->objectName();
        modal->close();
      }
    });
    watcher.start();
    act();
    watcher.stop();
    Seen seen = Look();
    seen.dialog = dialog;
    if (QWidget* popup = QApplication::activePopupWidget()) {
      seen.popup = popup->objectName();
      popup->close();
    }
    return seen;
  }

  void Check(const char* what, int tab, const Seen& before, const Effect& effect, Seen after) {
    Seen expected = before;
    effect(expected);
    // The viewer runs on its own: its record comes when it has started.
    (void)QTest::qWaitFor([&] { return viewer_.Viewed().size() >= expected.viewed.size(); });
    after.viewed = viewer_.Viewed();
    EXPECT_EQ(after, expected) << what << " on tab " << tab;
  }

  void CheckMenuRows(const std::vector<MenuRow>& rows) {
    for (const MenuRow& row : rows) {
      for (int tab : row.tabs) {
        Start();
        ShowTab(tab);
        if (row.before) PressAndLook(ButtonWidget(row.before), {});
        OpenMenu(row.opener);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << row.menu;
        ASSERT_EQ(menu->objectName(), QString::fromUtf8(row.menu));
        QAction* item = menu->findChild<QAction*>(QString::fromUtf8(row.item));
        ASSERT_NE(item, nullptr) << row.item;
        const Seen before = Look();
        Seen after = PressAndLook(menu, menu->actionGeometry(item).center());
        window_->findChild<QTimer*>("Timer1")->stop();  // the exit is seen; the test goes on
        Check(row.item, tab, before, row.effect, after);
      }
    }
  }

  test::FakePlatform platform_;
  FaceEngine faces_;
  std::unique_ptr<MainWindow> window_;
  int colourDialogs_ = 0;
  QStringList messages_;
  test::RecordingViewer viewer_;
};

// What each toolbar button does, and on which tabs it is tried.
std::vector<ButtonRow> ToolbarRows() {
  return {
      {1, {0, 1, 2}, [](Seen& s) { ++s.scans; }},
      {2,
       {0, 1, 2},
       [](Seen& s) {
         s.tab = 0;
         s.sheet = "Alpha\nBeta\nGamma";
       }},
      {3, {0, 1, 2}, [](Seen& s) { s.stopRequested = true; }},
      {5, {0, 1, 2}, Dialog("FindList")},
      {6, {0, 1, 2}, Popup("打印菜单")},
      {8, {0, 1, 2}, Opens(FontsFolder())},
      {9, {0, 1, 2}, Dialog("OpenFolder")},
      {10, {0, 1, 2}, OnFileTab(Dialog("DelFonts"))},  // deleting files is for the file tab only
      {12, {0, 1, 2}, Style(&TextStyleFlags::bold)},
      {13, {0, 1, 2}, Style(&TextStyleFlags::italic)},
      {14, {0, 1, 2}, Style(&TextStyleFlags::underline)},
      {15, {0, 1, 2}, Style(&TextStyleFlags::centred, false), "置中"},
      {16, {0, 1, 2}, Style(&TextStyleFlags::centred)},
      {17, {0, 1, 2}, Popup("字体")},
      {19, {0, 1, 2}, Opens(Address("/VudeZezi/"))},
      {20, {0, 1, 2}, Popup("菜单")},
  };
}

TEST_F(CommandDispatchTest, EveryToolbarButtonOnEveryTab) {
  test::ScopedVariable host(kMakerHostVariable, kSiteHost);
  const std::vector<ButtonRow> rows = ToolbarRows();
  for (const ButtonRow& row : rows) {
    for (int tab : row.tabs) {
      Start();
      ShowTab(1);  // with files listed, a file command off their tab would show
      ShowTab(tab);
      if (row.before) PressAndLook(ButtonWidget(row.before), {});
      const Seen before = Look();
      QWidget* button = ButtonWidget(row.position);
      const Seen after = PressAndLook(button, button->rect().center());
      Check(qPrintable(test::ToolbarButton(*window_, row.position)->objectName()), tab, before,
            row.effect, after);
    }
  }
}

// Every button's key, shown in its tool tip, does what the button does.
TEST_F(CommandDispatchTest, EveryToolbarButtonHasAKeyThatDoesTheSame) {
  test::ScopedVariable host(kMakerHostVariable, kSiteHost);
  for (const ButtonRow& row : ToolbarRows()) {
    for (int tab : row.tabs) {
      Start();
      ShowTab(1);
      ShowTab(tab);
      if (row.before) PressAndLook(ButtonWidget(row.before), {});
      QAction* button = test::ToolbarButton(*window_, row.position);
      const QKeySequence key = button->shortcut();
      ASSERT_FALSE(key.isEmpty()) << button->objectName().toStdString();
      EXPECT_TRUE(button->toolTip().endsWith(
          QStringLiteral("（%1）").arg(key.toString(QKeySequence::NativeText))))
          << button->toolTip().toStdString();
      // The focus in the list, as after a click on a family.
      test::ClickRow(window_->findChild<QListWidget*>("List1"), 0);
      const Seen before = Look();
      const Seen after = DoAndLook([&] { QTest::keySequence(window_.get(), key); });
      Check(qPrintable(button->objectName() + u' ' + key.toString()), tab, before, row.effect,
            after);
    }
  }
}

TEST_F(CommandDispatchTest, EveryMenuItem) {
  test::ScopedVariable host(kMakerHostVariable, kSiteHost);
  const std::string trueType = FontsFolder() + "/" + kTrueTypeFile;
  CheckMenuRows({
      {"帮助", "菜单", "作者主页", Opens(Address("/"))},
      {"帮助", "菜单", "作者的其他软件", Opens(Address("/brindlewood/"))},
      {"帮助", "菜单", "最新版本", Opens(Address("/quillmere/"))},
      {"帮助", "菜单", "帮助", Opens(Address("/Quillmere/"))},
      {"帮助", "菜单", "关于", Dialog("frmAbout")},
      {"帮助", "菜单", "退出", [](Seen& s) { s.exitTimerRunning = true; }},
      {"大小", "字体", "字体大小", Dialog("FontSizef"), {0, 1, 2}},
      {"大小", "字体", "字体颜色", [](Seen& s) { ++s.colourDialogs; }, {0, 1, 2}},
      {"ListView1", "字体文件夹", "文件属性", Dialog("FileProperties"), {1}},
      {"ListView1", "字体文件夹", "查看字体文件", Views(trueType), {1}},
      {"ListView1", "字体文件夹", "卸载并删除字体文件", Dialog("DelFonts"), {1}},
      {"ListView1", "字体文件夹", "安装新的字体", Dialog("OpenFolder"), {1}},
      {"List1", "list菜单", "卸载和删除字体", Dialog("DelFonts"), {0, 1, 2}},
  });
}

// Printing needs a printer: a private print system's queue.
TEST_F(CommandDispatchTest, EveryPrintMenuItem) {
  test::PrivateCups cups;
  if (!cups.Failure().empty()) GTEST_SKIP() << cups.Failure();
  CheckMenuRows({
      // An empty sample sheet is not printed; a built one is.
      {"打印", "打印菜单", "打印...", OnTextTabs(Dialog("QPrintDialog")), {1, 2}},
      {"打印", "打印菜单", "打印...", kNothing},
      {"打印", "打印菜单", "打印...", Dialog("QPrintDialog"), {0}, "字型"},
      {"打印", "打印菜单", "打印预览", OnTextTabs(Dialog("frmPreview")), {1, 2}},
      {"打印", "打印菜单", "打印预览", kNothing},
      {"打印", "打印菜单", "打印预览", Dialog("frmPreview"), {0}, "字型"},
  });
}

TEST_F(CommandDispatchTest, TheButtonsOfTheTabs) {
  const std::vector<TabButtonRow> rows = {
      {0, "Command3", kNothing},  // no sheet, no page
      {0, "Command3", Dialog("QFileDialog"), "字型"},
      {2, "Command2", Dialog("yh")},
      {1, "Option1", [](Seen& s) { s.fileReport = false; }},
      {1, "Option2", kNothing},  // the report is the view at start
  };
  for (const TabButtonRow& row : rows) {
    Start();
    ShowTab(row.tab);
    if (row.before) PressAndLook(ButtonWidget(row.before), {});
    const Seen before = Look();
    auto* button = Tabs()->widget(row.tab)->findChild<QWidget*>(row.button);
    ASSERT_NE(button, nullptr) << row.button;
    Check(row.button, row.tab, before, row.effect, PressAndLook(button, button->rect().center()));
  }
}

// The addresses as the desktop's opener gets them, through a stand-in for
// xdg-open first on PATH.
class WebAddressTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    opener_ = test::WriteRecordingProgram(QString::fromStdString(folder_), "xdg-open");
    path_.emplace("PATH",
                  (QString::fromStdString(folder_) + ":" + qEnvironmentVariable("PATH")).toUtf8());
  }

  QString opener_;
  std::optional<test::ScopedVariable> path_;
  platform::LinuxPlatform platform_{"zh_CN.UTF-8"};
};

TEST_F(WebAddressTest, EachWebEntryAndDownloadOpenTheirPageOfTheMakersSite) {
  FaceEngine windowFaces;
  MainWindow window(platform_, windowFaces);
  window.Startup();
  const auto press = [&](int position) {
    QWidget* button = test::ToolbarButtonWidget(window, position);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  };
  for (const char* item : {"作者主页", "作者的其他软件", "最新版本", "帮助"}) {
    press(20);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(menu->findChild<QAction*>(item)).center());
  }
  press(19);
  const QString host = QString::fromLatin1(kMakerHost);
  const QStringList expected = {"http://" + host + "/", "http://" + host + "/brindlewood/",
                                "http://" + host + "/quillmere/", "http://" + host + "/Quillmere/",
                                "http://" + host + "/VudeZezi/"};
  // Each opener runs on its own; they may finish in any order.
  ASSERT_TRUE(test::WaitUntil([&] { return test::RecordedCalls(opener_).size() >= 5; }));
  QStringList calls = test::RecordedCalls(opener_);
  calls.sort();
  QStringList sorted = expected;
  sorted.sort();
  EXPECT_EQ(calls, sorted);
}

TEST_F(WebAddressTest, OpenShowsTheFontsFolderInTheFileManager) {
  FaceEngine windowFaces;
  MainWindow window(platform_, windowFaces);
  window.Startup();
  QWidget* button = test::ToolbarButtonWidget(window, 8);
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  ASSERT_TRUE(test::WaitUntil([&] { return !test::RecordedCalls(opener_).isEmpty(); }));
  EXPECT_EQ(
      test::RecordedCalls(opener_),
      QStringList{QString::fromStdString(test::TestEnvironment::Current().UserFontsFolder())});
}

}  // namespace
}  // namespace qm::gui
