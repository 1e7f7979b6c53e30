// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "core/platform/FileSystem.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

// 2004-03-15 13:05:09 UTC, and the same moment eight hours east.
constexpr std::time_t kMoment = 1079355909;
constexpr FileDateTime kMomentEast8{2004, 3, 15, 21, 5, 9};
// 2011-01-01 00:00:00 eight hours east.
constexpr std::time_t kNewYearEast8 = 1293811200;

// Puts the process into a fixed zone eight hours east of UTC, without
// summer time, and back into the previous one at the end.
class ZoneEast8 {
 public:
  ZoneEast8() {
    if (const char* zone = std::getenv("TZ")) saved_ = zone;
    setenv("TZ", "CST-8", 1);
    tzset();
  }
  ~ZoneEast8() {
    if (saved_)
      setenv("TZ", saved_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

class LinuxFileSystemTest : public test::FolderTest {
 protected:
  std::unique_ptr<FileSystem> files_ = CreateFileSystem();
};

struct stat StatOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status;
}

FileDateTime East8(std::time_t moment) {
  moment += 8 * 3600;
  std::tm utc{};
  gmtime_r(&moment, &utc);
  return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

TEST_F(LinuxFileSystemTest, FilesFoldersAndMissingPaths) {
  const FileStatus file = files_->Status(Write("Sans.ttf", "12345"));
  EXPECT_TRUE(file.exists);
  EXPECT_FALSE(file.isFolder);
  EXPECT_EQ(file.size, 5u);
  EXPECT_GT(file.sizeOnDisk, 0u);
  EXPECT_FALSE(file.modified.IsNull());

  const FileStatus folder = files_->Status(folder_);
  EXPECT_TRUE(folder.exists);
  EXPECT_TRUE(folder.isFolder);

  const FileStatus missing = files_->Status(folder_ + "/Missing.ttf");
  EXPECT_FALSE(missing.exists);
  EXPECT_TRUE(missing.modified.IsNull());
  EXPECT_FALSE(files_->SetTime(folder_ + "/Missing.ttf", FileTime::kModify, kMomentEast8));
  EXPECT_FALSE(files_->SetAttributes(folder_ + "/Missing.ttf", 0, kAttrReadOnly));

  // Only the file's own name hides it, not a hidden folder above it.
  EXPECT_EQ(files_->Status(Write(".Hidden.ttf")).attributes, kAttrHidden);
  EXPECT_EQ(files_->Status(Write(".fonts/Shown.ttf")).attributes, 0u);
}

TEST_F(LinuxFileSystemTest, TimesAreLocalDateTimesOfTheProcessZone) {
  const ZoneEast8 zone;
  const std::time_t beforeBirth = std::time(nullptr);
  const std::string path = Write("Dated.ttf");
  const std::time_t afterBirth = std::time(nullptr);
  const timespec times[2] = {{kNewYearEast8, 0}, {kMoment, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

  FileStatus status = files_->Status(path);
  EXPECT_EQ(status.modified, kMomentEast8);
  EXPECT_EQ(status.accessed, (FileDateTime{2011, 1, 1, 0, 0, 0}));
  EXPECT_EQ(status.changed, East8(StatOf(path).st_ctim.tv_sec));
  // The birth time, where the file system keeps one, is the file's making.
  if (!status.born.IsNull()) {
    EXPECT_GE(status.born, East8(beforeBirth));
    EXPECT_LE(status.born, East8(afterBirth));
  }

  // Each writer moves its own time only.
  ASSERT_TRUE(files_->SetTime(path, FileTime::kModify, {2001, 2, 3, 4, 5, 6}));
  EXPECT_EQ(StatOf(path).st_mtim.tv_sec, 981144306);  // 2001-02-02 20:05:06 UTC
  EXPECT_EQ(StatOf(path).st_atim.tv_sec, kNewYearEast8);
  ASSERT_TRUE(files_->SetTime(path, FileTime::kAccess, kMomentEast8));
  EXPECT_EQ(StatOf(path).st_atim.tv_sec, kMoment);
  EXPECT_EQ(StatOf(path).st_mtim.tv_sec, 981144306);
  const FileDateTime born = files_->Status(path).born;
  EXPECT_FALSE(files_->SetTime(path, FileTime::kBirth, kMomentEast8));
  EXPECT_EQ(files_->Status(path).born, born);
}

TEST_F(LinuxFileSystemTest, ImpossibleDateTimesAreRefused) {
  const std::string path = Write("Kept.ttf");
  const auto modified = StatOf(path).st_mtim;
  for (const FileDateTime& time :
       {FileDateTime{}, FileDateTime{2003, 2, 29, 12, 0, 0}, FileDateTime{2004, 13, 1, 0, 0, 0},
        FileDateTime{2004, 3, 15, 24, 0, 0}, FileDateTime{2004, 3, 15, 12, 60, 0},
        FileDateTime{2004, 3, 15, 12, 0, -1}}) {
    EXPECT_FALSE(files_->SetTime(path, FileTime::kModify, time))
        << time.year << "-" << time.month << "-" << time.day << " " << time.hour << ":"
        << time.minute << ":" << time.second;
  }
  EXPECT_EQ(StatOf(path).st_mtim.tv_sec, modified.tv_sec);
  EXPECT_EQ(StatOf(path).st_mtim.tv_nsec, modified.tv_nsec);
}

TEST_F(LinuxFileSystemTest, ReadOnlyIsTheOwnersWriteBitAlone) {
  const std::string path = Write("Shared.ttf");
  fs::permissions(path, fs::perms(02666), fs::perm_options::replace);
  EXPECT_TRUE(files_->SetAttributes(path, 0, kAttrReadOnly));
  EXPECT_EQ(StatOf(path).st_mode & 07777, 02466u);
  EXPECT_EQ(files_->Status(path).attributes, kAttrReadOnly);
  // What the caller saw of the other bits is compared, not written.
  EXPECT_TRUE(files_->SetAttributes(path, kAttrReadOnly | kAttrHidden, kAttrHidden));
  EXPECT_EQ(StatOf(path).st_mode & 07777, 02666u);

  for (const std::uint32_t bit :
       {kAttrHidden, kAttrSystem, kAttrArchive, kAttrTemporary, kAttrCompressed}) {
    EXPECT_FALSE(files_->SetAttributes(path, 0, bit)) << bit;
    EXPECT_FALSE(files_->SetAttributes(path, 0, bit | kAttrReadOnly)) << bit;
  }
  EXPECT_EQ(StatOf(path).st_mode & 07777, 02666u);

  // Asking for what is already so changes not even the change time.
  const timespec changed = StatOf(path).st_ctim;
  EXPECT_TRUE(files_->SetAttributes(path, kAttrHidden, kAttrHidden));
  EXPECT_EQ(StatOf(path).st_ctim.tv_sec, changed.tv_sec);
  EXPECT_EQ(StatOf(path).st_ctim.tv_nsec, changed.tv_nsec);
}

}  // namespace
}  // namespace qm::platform
