// SPDX-License-Identifier: GPL-3.0-or-later
// What in the user's font folders could stop fontconfig, and that it is kept from it.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/platform/linux/FontFolderGuard.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "core/platform/linux/ProgramFontconfigFile.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

void MakeSocket(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0) << path;
  close(fd);
}

class FontFolderGuardTest : public testing::Test {
 protected:
  // Every kind of entry that is no font file, beside a real font and a
  // link to it.
  void SetUp() override {
    fs::create_directories(folder_);
    ASSERT_EQ(mkfifo((folder_ + "/x.ttf").c_str(), 0600), 0);
    MakeSocket(folder_ + "/s.ttf");
    fs::create_directory_symlink(".", folder_ + "/self");
    fs::create_directory_symlink("..", folder_ + "/up");
    fs::create_symlink("b.ttf", folder_ + "/a.ttf");
    fs::create_symlink("a.ttf", folder_ + "/b.ttf");
    fs::create_symlink("/dev/zero", folder_ + "/zero.ttf");
    fs::create_symlink("missing.ttf", folder_ + "/dangling.ttf");
    fs::create_directory(folder_ + "/deeper");
    ASSERT_EQ(mkfifo((folder_ + "/deeper/y.otf").c_str(), 0600), 0);
    fs::copy_file(TestEnvironment::Current().SourceFont("QmAmp.ttf"), folder_ + "/amp.ttf");
    fs::create_symlink("amp.ttf", folder_ + "/amp-link.ttf");
  }
  void TearDown() override {
    fs::remove_all(folder_);
    fs::remove(RejectRulesFile());
  }
  std::map<std::string, std::string> Found() {
    std::map<std::string, std::string> found;
    for (const UnsafeEntry& entry : FindUnsafeEntries(folder_))
      found[entry.path.substr(folder_.size() + 1)] = entry.reason;
    return found;
  }

  std::string folder_ = TestEnvironment::Current().UserFontsFolder() + "/hostile";
};

TEST_F(FontFolderGuardTest, FindsEveryEntryThatIsNoFontFileAndWhy) {
  const std::map<std::string, std::string> found = Found();
  const std::map<std::string, std::string> expected = {
      {"x.ttf", "命名管道 (FIFO)"},
      {"s.ttf", "套接字 (socket)"},
      {"self", "链接到上级文件夹 (link to a parent folder)"},
      {"up", "链接到上级文件夹 (link to a parent folder)"},
      {"a.ttf", "链接循环 (link loop)"},
      {"b.ttf", "链接循环 (link loop)"},
      {"zero.ttf", "设备 (device)，经链接 (through a link)"},
      {"deeper/y.otf", "命名管道 (FIFO)"}};
  EXPECT_EQ(found, expected);
}

TEST_F(FontFolderGuardTest, TheRulesRejectExactPathsAndTheFileGoesWhenNothingIsLeft) {
  const std::string rules = ProgramFontconfigFile::Rules({"/f/a&b<c>.ttf", "/f/bad\xff\n.ttf"}, {});
  EXPECT_NE(rules.find("<glob>/f/a&amp;b&lt;c&gt;.ttf</glob>"), std::string::npos);
  EXPECT_NE(rules.find("<glob>/f/bad??.ttf</glob>"), std::string::npos);

  GuardUserFontFolders();
  const std::string file = RejectRulesFile();
  EXPECT_EQ(file, TestEnvironment::Current().Root() +
                      "/config/fontconfig/conf.d/95-quillmere-rejects.conf");
  std::ifstream written(file);
  const std::string text((std::istreambuf_iterator<char>(written)), {});
  EXPECT_NE(text.find("<glob>" + folder_ + "/x.ttf</glob>"), std::string::npos);
  EXPECT_EQ(text.find("amp"), std::string::npos);

  fs::remove_all(folder_);
  GuardUserFontFolders();
  EXPECT_FALSE(fs::exists(file));
}

std::size_t FilesIn(const std::string& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::recursive_directory_iterator(folder), fs::recursive_directory_iterator()));
}

// In a child, which an alarm ends if fontconfig waits on the FIFO or
// recurses without end: 10 s is a hang detector, not a speed test.
TEST_F(FontFolderGuardTest, FontconfigScansTheFolderWithoutWaitingOrRecursing) {
  test::ScopedFontsConf conf("", test::kUserFontconfigRules);
  const std::string cache = TestEnvironment::Current().Root() + "/cache/fontconfig";
  const std::size_t cacheBefore = FilesIn(cache);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    alarm(10);
    LinuxPlatform platform("zh_CN.UTF-8");
    const std::vector<InstalledFamily> families = platform.InstalledFamilies();
    const bool ampFromTheFolder = std::any_of(families.begin(), families.end(),
                                              [&](auto& f) { return f.name == "Sun & Moon"; });
    const bool anyThroughLinks = std::any_of(families.begin(), families.end(), [](auto& f) {
      return f.file.find("/self/") != std::string::npos || f.file.find("/up/") != std::string::npos;
    });
    _exit(ampFromTheFolder && !anyThroughLinks ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_LT(FilesIn(cache), cacheBefore + 10);  // a cache file per real folder, no more
  // Fontconfig opens a FIFO before it asks the reject rules, but once the
  // program has scanned the folder, the cache it left there spares every
  // other program of the user the wait, while the program is not running.
  EXPECT_EQ(std::system("timeout 10 fc-list : family >/dev/null"), 0);
}

}  // namespace
}  // namespace qm::platform
