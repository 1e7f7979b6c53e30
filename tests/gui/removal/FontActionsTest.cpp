// SPDX-License-Identifier: GPL-3.0-or-later
// Viewing a font file in the desktop's default viewer, its properties in
// the file manager or the program's own window, and the commands that hand
// selected files and fonts to the removal dialog. A fake viewer and a fake
// file manager on a private session bus record how they were called.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/common/DefaultApplication.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FileProperties.h"
#include "gui/common/FontNameList.h"
#include "gui/mainwindow/Commands.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/removal/DelFonts.h"
#include "gui/removal/FontActions.h"
#include "support/Input.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << text;
}

// A viewer installed as the desktop's, writing the number of its arguments,
// then each on a line, into its record; the default for TrueType files when asked.
class FakeViewer {
 public:
  explicit FakeViewer(const std::string& folder)
      : viewer_(folder + "/viewer.sh"), record_(folder + "/record.txt") {
    WriteFile(viewer_, "#!/bin/sh\n{ echo $#; for a in \"$@\"; do echo \"$a\"; done; } > '" +
                           record_ + "'\n");
    fs::permissions(viewer_, fs::perms::owner_all);
    WriteFile(entry_, "[Desktop Entry]\nType=Application\nName=Fake\nExec=" + viewer_ + " %f\n");
  }
  ~FakeViewer() {
    fs::remove(defaults_);
    fs::remove(entry_);
  }
  void MakeDefault() {
    WriteFile(defaults_, "[Default Applications]\nfont/ttf=fake-viewer.desktop\n");
  }
  void Uninstall() { fs::remove(entry_); }
  const std::string& Record() const { return record_; }

 private:
  std::string viewer_;
  std::string record_;
  std::string entry_ = TestEnvironment::Current().Root() + "/data/applications/fake-viewer.desktop";
  std::string defaults_ = TestEnvironment::Current().Root() + "/config/mimeapps.list";
};

class ViewFontFileTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHandler([this](const Message& message) { messages_ << message.text; });
  }
  void TearDown() override { SetMessageHandler(nullptr); }

  std::string folder_ = TestEnvironment::Current().FolderForCurrentTest("view");
  std::string data_ = TestEnvironment::Current().Root() + "/data";
  FakeViewer viewer_{folder_};
  std::string record_ = viewer_.Record();
  QStringList messages_;
};

TEST_F(ViewFontFileTest, TheDefaultViewerGetsAPathWithSpacesAsOneArgument) {
  viewer_.MakeDefault();
  const std::string font = folder_ + "/a font with spaces.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmQuote.ttf"), font);
  ViewFontFile(font, nullptr);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return FileText(record_).find('\n') != std::string::npos; }, 5000));
  EXPECT_EQ(FileText(record_), "1\n" + font + "\n");
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ViewFontFileTest, WithoutAViewerTheMessageSaysSoAndNothingStarts) {
  const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
  qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(data_));  // no system applications
  const std::string font = folder_ + "/q.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmQuote.ttf"), font);
  viewer_.Uninstall();
  ViewFontFile(font, nullptr);
  qputenv("XDG_DATA_DIRS", dataDirs);
  EXPECT_EQ(messages_, QStringList{"您的WINDOWS缺少文件，无法查看。"});
  QTest::qWait(200);
  EXPECT_FALSE(fs::exists(record_));
}

TEST(DefaultApplicationTest, FieldCodesAreReplacedAndQuotedWordsKept) {
  const DesktopApplication application{"x.desktop", {"viewer", "--title=a b", "%i", "%U", "50%%"}};
  EXPECT_EQ(CommandFor(application, "/f/x y.ttf"),
            (QStringList{"viewer", "--title=a b", "/f/x y.ttf", "50%"}));
  EXPECT_EQ(CommandFor({"x.desktop", {"viewer"}}, "/f/x.ttf"), (QStringList{"viewer", "/f/x.ttf"}));
}

// A file manager that answers ShowItemProperties and records the items.
constexpr char kFakeFileManager[] = R"(
import sys
from gi.repository import Gio, GLib
record = sys.argv[1]
xml = '''<node><interface name="org.freedesktop.FileManager1">
<method name="ShowItemProperties"><arg type="as" direction="in"/><arg type="s" direction="in"/>
</method></interface></node>'''
def call(connection, sender, path, interface, method, parameters, invocation):
    with open(record, 'a') as out:
        out.write(method + ' ' + ' '.join(parameters.unpack()[0]) + '\n')
    invocation.return_value(None)
def acquired(connection, name):
    connection.register_object('/org/freedesktop/FileManager1',
                               Gio.DBusNodeInfo.new_for_xml(xml).interfaces[0], call)
Gio.bus_own_name(Gio.BusType.SESSION, 'org.freedesktop.FileManager1', 0, acquired, None, None)
GLib.MainLoop().run()
)";

class FilePropertiesTest : public testing::Test {
 protected:
  void SetUp() override {
    bus_.setProgram(QStringLiteral("dbus-daemon"));
    bus_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
    bus_.start();
    ASSERT_TRUE(bus_.waitForReadyRead(5000));
    address_ = QString::fromUtf8(bus_.readLine()).trimmed();
    connection_ = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(address_, QStringLiteral("private-session")));
    ASSERT_TRUE(connection_->isConnected());
    fs::copy_file(TestEnvironment::Current().SourceFont("QmPair.ttc"), font_);
  }
  void TearDown() override {
    for (QProcess* process : {&fileManager_, &bus_}) {
      process->terminate();
      process->waitForFinished(3000);
    }
    connection_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("private-session"));
  }
  void StartFileManager() {
    WriteFile(script_, kFakeFileManager);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    fileManager_.setProcessEnvironment(environment);
    fileManager_.start(QStringLiteral("/usr/bin/python3"),
                       {QString::fromStdString(script_), QString::fromStdString(record_)});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return connection_->interface()->isServiceRegistered(
              QStringLiteral("org.freedesktop.FileManager1"));
        },
        10000));
  }

  QProcess bus_;
  QProcess fileManager_;
  QString address_;
  std::unique_ptr<QDBusConnection> connection_;
  std::string folder_ = TestEnvironment::Current().FolderForCurrentTest("properties");
  std::string font_ = folder_ + "/pair \xe5\xad\x97.ttc";
  std::string script_ = folder_ + "/file_manager.py";
  std::string record_ = folder_ + "/calls.txt";
};

TEST_F(FilePropertiesTest, TheFileManagerIsAskedWithTheFilesUri) {
  StartFileManager();
  ASSERT_TRUE(ShowPropertiesInFileManager(font_, *connection_));
  const std::string uri =
      "file://" + QByteArray::fromStdString(font_).toPercentEncoding("/").toStdString();
  EXPECT_EQ(FileText(record_), "ShowItemProperties " + uri + "\n");
}

TEST_F(FilePropertiesTest, WithoutAFileManagerTheProgramsOwnWindowShowsTheFile) {
  QString faces;
  QString size;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    ASSERT_NE(window, nullptr);
    faces = window->findChild<QLabel*>(QStringLiteral("Faces"))->text();
    size = window->findChild<QLabel*>(QStringLiteral("FileSize"))->text();
    // Each value on its own line, unbroken: the window is as wide as they are.
    for (const char* name : {"FileName", "TypeName", "FileSize", "Created", "Attributes"}) {
      const auto* value = window->findChild<QLabel*>(QString::fromLatin1(name));
      EXPECT_LT(value->height(), 2 * value->fontMetrics().lineSpacing()) << name;
    }
    // A long path takes the room it needs, up to more than half the screen.
    const auto* path = window->findChild<QLabel*>(QStringLiteral("FilePath"));
    const int oneLine = path->fontMetrics().horizontalAdvance(path->text());
    const int halfAndMore = window->screen()->availableGeometry().width() * 11 / 20;
    EXPECT_GE(path->width(), std::min(oneLine, halfAndMore)) << path->text().toStdString();
    QTest::keyClick(window, Qt::Key_Return);
  });
  platform::LinuxPlatform platform("zh_CN.UTF-8");
  ShowProps(font_, platform.FacesInFile(font_), nullptr, *connection_);
  EXPECT_EQ(faces.count(u'\n'), 1) << faces.toStdString();  // the collection's two faces
  EXPECT_TRUE(size.contains(QString::number(fs::file_size(font_)) + " 字节")) << size.toStdString();
}

// What the removal dialog shows when it opens; closed again with Escape.
struct SeenDialog {
  bool opened = false;
  QString count;
  QStringList files;
  QStringList fonts;
};

void WatchForDelFonts(SeenDialog* seen) {
  QTimer::singleShot(0, [seen] {
    auto* dialog = qobject_cast<DelFonts*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen->opened = true;
    seen->count = dialog->findChild<QLabel*>(QStringLiteral("Label3"))->text();
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      seen->files << list->topLevelItem(i)->text(DelFonts::kFileName);
      seen->fonts << list->topLevelItem(i)->text(DelFonts::kFontName);
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
}

class MainWindowRemovalTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHandler([](const Message&) {});
    window_.Startup();
  }
  void TearDown() override { SetMessageHandler(nullptr); }
  void ClickTab(int tab) {
    QTabBar* bar = window_.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
  }
  void ClickDeleteButton() {
    QTest::mouseClick(test::ToolbarButtonWidget(window_, 10), Qt::LeftButton);
  }
  QTreeView* FileReport() {
    return window_.findChild<QWidget*>(QStringLiteral("ListView1"))->findChild<QTreeView*>();
  }
  void ClickFileRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTreeView* report = FileReport();
    const QRect rect = report->visualRect(report->model()->index(row, 0));
    QTest::mouseClick(report->viewport(), Qt::LeftButton, modifiers, rect.center());
  }

  platform::LinuxPlatform platform_{"zh_CN.UTF-8"};
  FaceEngine windowFaces_;
  MainWindow window_{platform_, windowFaces_};
};

TEST_F(MainWindowRemovalTest, DeleteActsOnlyOnTheFileTabWithTheSelectedRowsInOrder) {
  SeenDialog onSheet;
  WatchForDelFonts(&onSheet);
  ClickDeleteButton();
  QTest::qWait(50);
  EXPECT_FALSE(onSheet.opened);

  ClickTab(1);
  QTreeView* report = FileReport();
  ASSERT_TRUE(QTest::qWaitFor([&] { return report->model()->rowCount() >= 5; }));
  ClickFileRow(4);
  ClickFileRow(1, Qt::ControlModifier);
  const QString second = report->model()->index(1, 0).data().toString();
  const QString fifth = report->model()->index(4, 0).data().toString();
  SeenDialog seen;
  WatchForDelFonts(&seen);
  ClickDeleteButton();
  EXPECT_TRUE(seen.opened);
  EXPECT_EQ(seen.count, "2");
  EXPECT_EQ(seen.files, (QStringList{second, fifth}));
}

TEST_F(MainWindowRemovalTest, ADoubleClickedFileOpensInTheDefaultViewer) {
  FakeViewer viewer(TestEnvironment::Current().FolderForCurrentTest("double-click"));
  viewer.MakeDefault();
  ClickTab(1);
  QTreeView* report = FileReport();
  ASSERT_TRUE(QTest::qWaitFor([&] { return report->model()->rowCount() >= 1; }));
  // A real font: an empty or broken file is of another kind than TrueType.
  const QModelIndexList quote = report->model()->match(
      report->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("QmQuote.ttf"));
  ASSERT_EQ(quote.size(), 1);
  const QRect rect = report->visualRect(quote.front());
  // Through the window, as the window system delivers a double click.
  QTest::mouseDClick(window_.windowHandle(), Qt::LeftButton, {},
                     report->viewport()->mapTo(&window_, rect.center()));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return FileText(viewer.Record()).find('\n') != std::string::npos; }, 5000));
  const std::string path = TestEnvironment::Current().UserFontsFolder() + "/QmQuote.ttf";
  EXPECT_EQ(FileText(viewer.Record()), "1\n" + path + "\n");
}

TEST_F(MainWindowRemovalTest, TheListMenuHandsOverTheChosenFamiliesWithAFile) {
  auto* list = window_.findChild<FontNameList*>(QStringLiteral("List1"));
  ASSERT_GE(list->count(), 2);
  test::ClickRow(list, 0);
  test::ClickRow(list, 1, Qt::LeftButton, Qt::ControlModifier);
  SeenDialog seen;
  WatchForDelFonts(&seen);
  // The right button over a chosen entry keeps the choice; the window system
  // follows the press with the request for the menu.
  test::ClickRow(list, 1, Qt::RightButton);
  const QPoint at = list->visualItemRect(list->item(1)).center();
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(list->viewport(), &request);
  QMenu* menu = window_.findChild<QMenu*>(QString::fromUtf8(keys::kListMenu));
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
  QTest::mouseClick(menu, Qt::LeftButton, {},
                    menu->actionGeometry(menu->actions().constFirst()).center());
  EXPECT_TRUE(seen.opened);
  EXPECT_EQ(seen.count, "2");
  EXPECT_EQ(seen.fonts, (QStringList{list->item(0)->text(), list->item(1)->text()}));
}

}  // namespace
}  // namespace qm::gui
