// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/platform/FileReplacing.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

using test::NamesIn;
using test::Read;

class FileReplacingTest : public test::FolderTest {
 protected:
  // The old page a failed save must leave whole.
  std::string WriteOld(const std::string& folder) {
    const std::string path = folder + "/page.htm";
    std::ofstream(path, std::ios::binary) << "old page";
    return path;
  }

  void ExpectFailureKeepsTheOldFile(const std::string& folder, const std::string& reason) {
    const std::string path = folder + "/page.htm";
    EXPECT_EQ(ReplaceFile(path, std::string(200000, 'x')), reason);
    EXPECT_EQ(Read(path), "old page");
    EXPECT_EQ(NamesIn(folder), std::vector<std::string>{"page.htm"}) << "a temporary file is left";
  }
};

TEST_F(FileReplacingTest, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
  const std::string path = folder_ + "/page.htm";
  EXPECT_EQ(ReplaceFile(path, std::string("a\0b\r\n", 5)), "");
  EXPECT_EQ(Read(path), std::string("a\0b\r\n", 5));
  chmod(path.c_str(), 0640);
  EXPECT_EQ(ReplaceFile(path, "second"), "");
  EXPECT_EQ(Read(path), "second");
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::string>{"page.htm"});
}

TEST_F(FileReplacingTest, AMissingFolderOrAFolderOfTheNameIsToldWhy) {
  EXPECT_EQ(ReplaceFile(folder_ + "/missing/page.htm", "x"), "文件夹不存在");
  fs::create_directory(folder_ + "/page.htm");
  EXPECT_EQ(ReplaceFile(folder_ + "/page.htm", "x"), "这个名字已是一个文件夹");
  EXPECT_EQ(NamesIn(folder_), std::vector<std::string>{"page.htm"});
}

// The superuser may write into any folder; scripts/test runs every
// *AsUserTest again as an ordinary user.
using FileReplacingAsUserTest = FileReplacingTest;

TEST_F(FileReplacingAsUserTest, AFolderTheUserMayNotWriteKeepsTheOldFile) {
  const std::string path = WriteOld(folder_);
  chmod(folder_.c_str(), 0555);
  const bool writable = access(folder_.c_str(), W_OK) == 0;
  if (!writable) ExpectFailureKeepsTheOldFile(folder_, "没有写入这个文件夹的权限");
  chmod(folder_.c_str(), 0755);
  if (writable) GTEST_SKIP() << "the superuser may change any folder; see scripts/test";
  EXPECT_EQ(Read(path), "old page");
}

// A small file system of the test's own, which only the superuser can mount.
class SmallDiskTest : public FileReplacingTest {
 protected:
  void SetUp() override {
    FileReplacingTest::SetUp();
    disk_ = folder_ + "/disk";
    fs::create_directory(disk_);
    if (mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=64k") != 0)
      GTEST_SKIP() << "mounting a small tmpfs needs the superuser";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) umount(disk_.c_str());
  }

  std::string disk_;
  bool mounted_ = false;
};

TEST_F(SmallDiskTest, AFullDiskKeepsTheOldFileAndSaysWhy) {
  WriteOld(disk_);
  ExpectFailureKeepsTheOldFile(disk_, "磁盘空间不足");
}

TEST_F(SmallDiskTest, AReadOnlyDiskKeepsTheOldFileAndSaysWhy) {
  WriteOld(disk_);
  ASSERT_EQ(mount("tmpfs", disk_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  ExpectFailureKeepsTheOldFile(disk_, "磁盘是只读的");
}

}  // namespace
}  // namespace qm::platform
