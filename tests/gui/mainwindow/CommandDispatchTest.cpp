// SPDX-License-Identifier: GPL-3.0-or-later
// Every toolbar button on every tab and every menu item, pressed as a person
// presses them, reaches its command, and only its command; and the web
// entries hand the desktop their exact addresses.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
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
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/Externals.h"
#include "support/FakePlatform.h"
#include "support/FolderTest.h"

namespace qm::gui {
namespace {

constexpr char kFontsFolder[] = "/fonts/of/the/user";

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

  bool operator==(const Seen& other) const {
    const auto flags = [](const TextStyleFlags& f) {
      return std::tuple(f.bold, f.italic, f.underline, f.centred);
    };
    return std::tie(tab, scans, opened, stopRequested, sheet, popup, dialog, exitTimerRunning,
                    colourDialogs) ==
               std::tie(other.tab, other.scans, other.opened, other.stopRequested, other.sheet,
                        other.popup, other.dialog, other.exitTimerRunning, other.colourDialogs) &&
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
       << seen.exitTimerRunning << ", colour dialogs " << seen.colourDialogs << "}";
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
  const char* item;  // nullptr: only the menu's popping up is checked
  Effect effect;
  int tab = 0;
};

class CommandDispatchTest : public testing::Test {
 protected:
  void SetUp() override {
    platform_.SetFamilyNames({"Alpha", "Beta", "Gamma"});
    platform_.registry.PutText(platform::kHkeyCurrentUser, platform::kShellFoldersKey, "Fonts",
                               kFontsFolder);
    SetColourChooser([this](const QColor&, QWidget*) {
      ++colourDialogs_;
      return QColor();
    });
  }
  void TearDown() override { SetColourChooser(nullptr); }

  // A window of its own for each press, started as the program starts.
  void Start() {
    window_ = std::make_unique<MainWindow>(platform_);
    window_->Startup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  QTabWidget* Tabs() const { return window_->findChild<QTabWidget*>("SSTab1"); }
  void ShowTab(int tab) {
    QTabBar* bar = Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    ASSERT_EQ(Tabs()->currentIndex(), tab);
  }
  QWidget* ButtonWidget(int position) const {
    auto* toolbar = window_->findChild<QToolBar*>("tbToolBar");
    return toolbar->widgetForAction(window_->ToolbarButton(position));
  }
  QWidget* ButtonWidget(const char* key) const {
    for (int position = 1; position <= kToolbarPositions; ++position)
      if (QAction* button = window_->ToolbarButton(position);
          button && button->objectName() == QString::fromUtf8(key))
        return ButtonWidget(position);
    return nullptr;
  }

  // Pops a menu up as a person does: with the toolbar button of that key, or
  // with the right button on the named list.
  void OpenMenu(const char* opener) {
    if (QWidget* button = ButtonWidget(opener)) {
      QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
      return;
    }
    auto* list = window_->findChild<QWidget*>(opener);
    ASSERT_NE(list, nullptr) << opener;
    auto* view = qobject_cast<QAbstractScrollArea*>(list);
    for (auto* inner : list->findChildren<QAbstractScrollArea*>())
      if (!view && inner->isVisible()) view = inner;
    ASSERT_NE(view, nullptr) << opener;
    // Through the window, as the display delivers it: only then does the
    // right button also ask for the context menu.
    const QPoint at = view->viewport()->mapTo(window_.get(), view->viewport()->rect().center());
    QTest::mouseClick(window_->windowHandle(), Qt::RightButton, {}, at);
  }

  Seen Look() const {
    Seen seen;
    seen.tab = Tabs()->currentIndex();
    seen.scans = platform_.reads;
    seen.opened = platform_.opened;
    seen.stopRequested = window_->StopRequested();
    seen.sheet = window_->findChild<QPlainTextEdit*>("RichTextBox2")->toPlainText();
    seen.sheetStyle = window_->SheetStyle();
    seen.customStyle = window_->CustomStyle();
    seen.exitTimerRunning = window_->findChild<QTimer*>("Timer1")->isActive();
    seen.colourDialogs = colourDialogs_;
    return seen;
  }

  // Presses with the mouse; notes and closes the menu or window it opens.
  Seen PressAndLook(QWidget* widget, const QPoint& at) {
    QString dialog;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        dialog = modal->objectName();
        modal->close();
      }
    });
    watcher.start();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    watcher.stop();
    Seen seen = Look();
    seen.dialog = dialog;
    if (QWidget* popup = QApplication::activePopupWidget()) {
      seen.popup = popup->objectName();
      popup->close();
    }
    return seen;
  }

  void Check(const char* what, int tab, const Seen& before, const Effect& effect,
             const Seen& after) {
    Seen expected = before;
    effect(expected);
    EXPECT_EQ(after, expected) << what << " on tab " << tab;
  }

  test::FakePlatform platform_;
  std::unique_ptr<MainWindow> window_;
  int colourDialogs_ = 0;
};

TEST_F(CommandDispatchTest, EveryToolbarButtonOnEveryTab) {
  test::ScopedVariable host(kMakerHostVariable, kSiteHost);
  const std::vector<ButtonRow> rows = {
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
      {8, {0, 1, 2}, Opens(kFontsFolder)},
      {10, {0, 2}, kNothing},  // deleting files is for the file tab only
      {12, {0, 1, 2}, Style(&TextStyleFlags::bold)},
      {13, {0, 1, 2}, Style(&TextStyleFlags::italic)},
      {14, {0, 1, 2}, Style(&TextStyleFlags::underline)},
      {15, {0, 1, 2}, Style(&TextStyleFlags::centred, false), "置中"},
      {16, {0, 1, 2}, Style(&TextStyleFlags::centred)},
      {17, {0, 1, 2}, Popup("字体")},
      {19, {0, 1, 2}, Opens(Address("/VudeZezi/"))},
      {20, {0, 1, 2}, Popup("菜单")},
  };
  for (const ButtonRow& row : rows) {
    for (int tab : row.tabs) {
      Start();
      ShowTab(tab);
      if (row.before) PressAndLook(ButtonWidget(row.before), {});
      const Seen before = Look();
      QWidget* button = ButtonWidget(row.position);
      const Seen after = PressAndLook(button, button->rect().center());
      Check(qPrintable(window_->ToolbarButton(row.position)->objectName()), tab, before, row.effect,
            after);
    }
  }
}

TEST_F(CommandDispatchTest, EveryMenuItem) {
  test::ScopedVariable host(kMakerHostVariable, kSiteHost);
  const std::vector<MenuRow> rows = {
      {"帮助", "菜单", "作者主页", Opens(Address("/"))},
      {"帮助", "菜单", "作者的其他软件", Opens(Address("/brindlewood/"))},
      {"帮助", "菜单", "最新版本", Opens(Address("/quillmere/"))},
      {"帮助", "菜单", "帮助", Opens(Address("/Quillmere/"))},
      {"帮助", "菜单", "关于", Dialog("frmAbout")},
      {"帮助", "菜单", "退出", [](Seen& s) { s.exitTimerRunning = true; }},
      {"大小", "字体", "字体颜色", [](Seen& s) { ++s.colourDialogs; }},
      {"打印", "打印菜单", nullptr, kNothing},
      {"List1", "list菜单", nullptr, kNothing},
      {"ListView1", "字体文件夹", nullptr, kNothing, 1},
  };
  for (const MenuRow& row : rows) {
    Start();
    ShowTab(row.tab);
    OpenMenu(row.opener);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << row.menu;
    ASSERT_EQ(menu->objectName(), QString::fromUtf8(row.menu));
    if (!row.item) {
      menu->close();
      continue;
    }
    QAction* item = menu->findChild<QAction*>(QString::fromUtf8(row.item));
    ASSERT_NE(item, nullptr) << row.item;
    const Seen before = Look();
    Seen after = PressAndLook(menu, menu->actionGeometry(item).center());
    window_->findChild<QTimer*>("Timer1")->stop();  // the exit is seen; the test goes on
    Check(row.item, row.tab, before, row.effect, after);
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
  MainWindow window(platform_);
  window.Startup();
  auto* toolbar = window.findChild<QToolBar*>("tbToolBar");
  const auto press = [&](int position) {
    QWidget* button = toolbar->widgetForAction(window.ToolbarButton(position));
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
  MainWindow window(platform_);
  window.Startup();
  QWidget* button =
      window.findChild<QToolBar*>("tbToolBar")->widgetForAction(window.ToolbarButton(8));
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  ASSERT_TRUE(test::WaitUntil([&] { return !test::RecordedCalls(opener_).isEmpty(); }));
  EXPECT_EQ(
      test::RecordedCalls(opener_),
      QStringList{QString::fromStdString(test::TestEnvironment::Current().UserFontsFolder())});
}

}  // namespace
}  // namespace qm::gui
