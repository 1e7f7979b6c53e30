// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "core/platform/RegistryKeys.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "gui/about/AboutBox.h"
#include "gui/about/MakerSite.h"
#include "gui/about/PageView.h"
#include "gui/common/Dialogs.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/Externals.h"
#include "support/FakePlatform.h"
#include "support/FolderTest.h"

namespace qm::gui {
namespace {

class AboutBoxTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    SetMessageHandler([this](const Message& message) { messages_ << message.text; });
  }
  void TearDown() override { SetMessageHandler(nullptr); }

  QString Folder() const { return QString::fromStdString(folder_); }
  void WritePage(const QByteArray& html) { Write("site/left.htm", html.toStdString()); }
  template <typename T>
  static T* Child(QWidget& box, const char* name) {
    T* child = box.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static PageView* Page(QWidget& box) { return Child<PageView>(box, "WebBrowser1"); }
  static QString PageText(QWidget& box) { return Page(box)->toPlainText(); }
  static void Press(QWidget& box, const char* button) {
    QTest::mouseClick(Child<QPushButton>(box, button), Qt::LeftButton);
  }
  static bool WaitForPage(QWidget& box) {
    return test::WaitUntil([&] { return !Page(box)->Loading(); });
  }

  QStringList messages_;
  test::FakePlatform platform_;
};

TEST_F(AboutBoxTest, ShowsTheProgramsNameVersionNoticeAndButtons) {
  test::ScopedVariable host(kMakerHostVariable, "127.0.0.1:1");
  AboutBox box(platform_);
  box.show();
  EXPECT_EQ(box.windowTitle(), "关于 Quillmere");
  EXPECT_EQ(Child<QLabel>(box, "lblVersion")->text(), "版本：3.8.220");
  QStringList labels;
  for (const QLabel* label : box.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("欢迎定制各种软件！"));
  EXPECT_TRUE(labels.contains("Brindlewood系列(作者的其他软件)："));
  EXPECT_TRUE(labels.contains("网址：http://127.0.0.1:1/"));
  EXPECT_EQ(Child<QPushButton>(box, "cmdOK")->text(), "确定");
  EXPECT_EQ(Child<QPushButton>(box, "cmdSysInfo")->text(), "系统信息(&S)...");
  EXPECT_EQ(Child<QPushButton>(box, "Command1")->text(), "刷新");

  Press(box, "cmdOK");
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST_F(AboutBoxTest, TheWindowTheNotificationAreaAndTheBoxShowTheInstalledIcon) {
  test::ScopedVariable host(kMakerHostVariable, "127.0.0.1:1");
  const QImage installed = QIcon(QM_ICON_FILE).pixmap(32, 32).toImage();
  ASSERT_FALSE(installed.isNull());
  FaceEngine windowFaces;
  MainWindow window(platform_, windowFaces);
  window.Startup();
  auto* tray = window.findChild<QSystemTrayIcon*>();
  ASSERT_NE(tray, nullptr);
  AboutBox box(platform_, &window);
  EXPECT_EQ(window.windowIcon().pixmap(32, 32).toImage(), installed);
  EXPECT_EQ(tray->icon().pixmap(32, 32).toImage(), installed);
  EXPECT_EQ(box.windowIcon().pixmap(32, 32).toImage(), installed);
  EXPECT_EQ(Child<QLabel>(box, "picIcon")->pixmap().toImage(), installed);
}

TEST_F(AboutBoxTest, ShowsTheMakersPageAndRefreshFetchesItAgain) {
  WritePage("<html><body><p>第一版：Brindlewood 系列</p></body></html>");
  test::LocalSite site(Folder() + "/site");
  ASSERT_FALSE(site.Host().isEmpty());
  test::ScopedVariable host(kMakerHostVariable, site.Host().toUtf8());
  AboutBox box(platform_);
  box.show();
  ASSERT_TRUE(WaitForPage(box));
  EXPECT_EQ(PageText(box), "第一版：Brindlewood 系列");
  EXPECT_EQ(Page(box)->Address().toString(), "http://" + site.Host() + "/left.htm");

  WritePage("<html><body><p>第二版</p></body></html>");
  Press(box, "Command1");
  ASSERT_TRUE(WaitForPage(box));
  EXPECT_EQ(PageText(box), "第二版");
  EXPECT_EQ(site.Requests(), (QStringList{"/left.htm", "/left.htm"}));
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(AboutBoxTest, APageInTheChineseCodePageItDeclaresReadsRight) {
  // "简体中文" in GB2312, as the maker's pages are written.
  WritePage(
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
      "</head><body>\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4</body></html>");
  test::LocalSite site(Folder() + "/site");
  test::ScopedVariable host(kMakerHostVariable, site.Host().toUtf8());
  AboutBox box(platform_);
  ASSERT_TRUE(WaitForPage(box));
  EXPECT_EQ(PageText(box), "简体中文");
}

TEST_F(AboutBoxTest, AnUnreachableSiteLeavesOneLineInTheViewAndNoMessage) {
  test::ScopedVariable host(kMakerHostVariable, "127.0.0.1:1");
  AboutBox box(platform_);
  box.show();
  ASSERT_TRUE(WaitForPage(box));
  EXPECT_EQ(PageText(box), "无法打开网页 http://127.0.0.1:1/left.htm");
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_TRUE(box.isVisible());
}

TEST_F(AboutBoxTest, ClosingWhileThePageLoadsStopsTheFetch) {
  QTcpServer silent;  // accepts and never answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  test::ScopedVariable host(kMakerHostVariable,
                            "127.0.0.1:" + QByteArray::number(silent.serverPort()));
  AboutBox box(platform_);
  box.show();
  ASSERT_TRUE(test::WaitUntil([&] { return silent.hasPendingConnections(); }));
  QTcpSocket* connection = silent.nextPendingConnection();
  EXPECT_TRUE(Page(box)->Loading());

  Press(box, "cmdOK");
  EXPECT_FALSE(Page(box)->Loading());
  EXPECT_TRUE(
      test::WaitUntil([&] { return connection->state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(AboutBoxTest, ALinkOfThePageOpensInTheDesktopsBrowser) {
  WritePage("<html><body><a href=\"/brindlewood/\">其他软件</a></body></html>");
  test::LocalSite site(Folder() + "/site");
  test::ScopedVariable host(kMakerHostVariable, site.Host().toUtf8());
  AboutBox box(platform_);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  ASSERT_TRUE(WaitForPage(box));
  QTextCursor link = Page(box)->document()->find("其他软件");
  link.setPosition(link.selectionStart() + 1);
  QTest::mouseClick(Page(box)->viewport(), Qt::LeftButton, {},
                    Page(box)->cursorRect(link).center());
  EXPECT_EQ(platform_.opened,
            (std::vector<std::string>{"http://" + site.Host().toStdString() + "/brindlewood/"}));
}

// The system information program, found by the Linux registry view on PATH.
class SysInfoTest : public AboutBoxTest {
 protected:
  QString Tools() const { return Folder() + "/bin"; }
  void Click(AboutBox& box) { Press(box, "cmdSysInfo"); }

  platform::LinuxPlatform linux_;
};

TEST_F(SysInfoTest, StartsTheFirstInformationProgramOnThePath) {
  const QString kinfocenter = test::WriteRecordingProgram(Tools(), "kinfocenter");
  const QString monitor = test::WriteRecordingProgram(Tools(), "gnome-system-monitor");
  test::ScopedVariable path("PATH", Tools().toUtf8());
  test::ScopedVariable host(kMakerHostVariable, "127.0.0.1:1");
  AboutBox box(linux_);
  box.show();
  Click(box);
  EXPECT_TRUE(test::WaitUntil([&] { return test::RecordedCalls(kinfocenter).size() == 1; }));
  EXPECT_TRUE(test::RecordedCalls(monitor).isEmpty());
  EXPECT_TRUE(messages_.isEmpty());
  EXPECT_TRUE(box.isVisible());  // started beside the box, not waited for
}

TEST_F(SysInfoTest, WithoutOneSaysSystemInformationIsNotAvailable) {
  // A file of the name that cannot run counts as none.
  Write("bin/hardinfo", "not a program");
  test::ScopedVariable path("PATH", Tools().toUtf8());
  test::ScopedVariable host(kMakerHostVariable, "127.0.0.1:1");
  AboutBox box(linux_);
  Click(box);
  EXPECT_EQ(messages_, QStringList{"此时系统信息不可用"});
}

TEST(SysInfoProgramTest, TheRegistrysPathComesFirstThenTheSharedToolsFolder) {
  test::FakePlatform platform;
  EXPECT_EQ(SysInfoProgram(platform.registry), "");

  const std::string folder = test::TestEnvironment::Current().FolderForCurrentTest("SysInfo");
  platform.registry.PutText(platform::kHkeyLocalMachine, platform::kSharedToolsLocationKey,
                            "MSINFO", folder);
  EXPECT_EQ(SysInfoProgram(platform.registry), "");  // no program in that folder
  const std::string tool = folder + "/MSINFO32.EXE";
  std::filesystem::create_directories(folder);
  std::ofstream(tool) << "x";
  EXPECT_EQ(SysInfoProgram(platform.registry).toStdString(), tool);

  platform.registry.PutText(platform::kHkeyLocalMachine, platform::kSysInfoKey, "PATH",
                            "/opt/info/tool");
  EXPECT_EQ(SysInfoProgram(platform.registry), "/opt/info/tool");
}

}  // namespace
}  // namespace qm::gui
