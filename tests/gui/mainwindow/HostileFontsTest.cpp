// SPDX-License-Identifier: GPL-3.0-or-later
// Every hostile font file and folder case at once in the user's fonts folder, through the
// scan, every family's sample, the sample sheet and the font-file list. The work runs in a
// child process, so that a crash or a sanitizer report fails the test instead of ending the
// suite, and a watchdog in it ends any single step that does not return within 30 s: a hang
// detector, not a speed test.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/platform/linux/LinuxPlatform.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/sheet/SampleSheet.h"
#include "support/TestEnvironment.h"
#include "support/ToolbarInput.h"

namespace qm::gui {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

constexpr char kWorkerVariable[] = "QM_HOSTILE_WORKER";

// 30 s per step, so that a machine busy with other work does not pass for a
// hang; a sanitizer build, many times slower, sets its own limit
// in QM_HANG_LIMIT_SECONDS.
std::chrono::seconds StepLimit() {
  const char* limit = std::getenv("QM_HANG_LIMIT_SECONDS");
  const int seconds = limit ? std::atoi(limit) : 0;
  return std::chrono::seconds(seconds > 0 ? seconds : 30);
}

// Ends the process when one step runs past the limit, naming the step.
class Watchdog {
 public:
  Watchdog() : thread_(&Watchdog::Watch, this) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
  void Begin(std::string step) {
    const std::lock_guard lock(mutex_);
    step_ = std::move(step);
    deadline_ = std::chrono::steady_clock::now() + limit_;
  }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!done_) {
      if (std::chrono::steady_clock::now() > deadline_) {
        std::fprintf(stderr, "HANG: %s did not return within %lld s\n", step_.c_str(),
                     static_cast<long long>(limit_.count()));
        std::_Exit(3);
      }
      wake_.wait_for(lock, std::chrono::milliseconds(200));
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::string step_ = "start";
  const std::chrono::seconds limit_ = StepLimit();
  std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::now() + limit_;
  std::thread thread_;
};

// The folder cases: a FIFO, a socket, links to the folder and its parent, a link to a device.
void MakeFolderCases(const std::string& folder) {
  ASSERT_EQ(mkfifo((folder + "/x.ttf").c_str(), 0600), 0);
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = folder + "/s.ttf";
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  close(fd);
  fs::create_directory_symlink(".", folder + "/self");
  fs::create_directory_symlink("..", folder + "/up");
  fs::create_symlink("/dev/zero", folder + "/zero.ttf");
}

TEST(HostileFontsWorker, ScanSamplesSheetAndFileList) {
  if (!std::getenv(kWorkerVariable)) GTEST_SKIP() << "runs only as the child of HostileFontsTest";
  const std::string fonts = TestEnvironment::Current().UserFontsFolder();
  fs::copy(QM_TEST_FONTS_DIR "/hostile", fonts);
  MakeFolderCases(fonts);
  test::ScopedFontsConf conf("", test::kUserFontconfigRules);

  Watchdog watchdog;
  platform::LinuxPlatform platform("zh_CN.UTF-8");
  FaceEngine windowFaces;
  MainWindow window(platform, windowFaces);
  window.show();
  watchdog.Begin("scan");
  window.ScanInstalledFonts();
  auto* list = window.findChild<QListWidget*>("List1");
  ASSERT_GT(list->count(), 20);
  for (int row = 0; row < list->count(); ++row) {
    watchdog.Begin("sample of row " + std::to_string(row));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    ASSERT_EQ(list->currentRow(), row);
  }
  watchdog.Begin("sheet");
  QTest::mouseClick(test::ToolbarButtonWidget(window, 2), Qt::LeftButton);
  // Line k of the sheet is entry k of the list, whatever the names hold.
  const QAbstractItemModel* sheet = window.findChild<SheetView*>("RichTextBox2")->model();
  ASSERT_EQ(sheet->rowCount(), list->count());
  for (int line = 0; line < list->count(); ++line)
    EXPECT_EQ(sheet->index(line, 0).data().toString(), list->item(line)->text());
  watchdog.Begin("font-file list");
  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  watchdog.Begin("end");
}

TEST(HostileFontsTest, NoHostileFileOrFolderCrashesOrStopsTheWindow) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kWorkerVariable, "1");
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=HostileFontsWorker.ScanSamplesSheetAndFileList"});
  ASSERT_TRUE(child.waitForFinished(10 * 60 * 1000));
  const QString output = QString::fromUtf8(child.readAll());
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  for (const char* report : {"AddressSanitizer", "runtime error:", "HANG:"})
    EXPECT_FALSE(output.contains(report)) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

}  // namespace
}  // namespace qm::gui
