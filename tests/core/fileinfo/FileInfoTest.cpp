// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <limits>
#include <tuple>
#include <utility>

#include "core/fileinfo/FileInfo.h"
#include "support/FolderTest.h"

namespace qm::fileinfo {
namespace {

namespace fs = std::filesystem;

using FileInfoTest = test::FolderTest;

struct FakeFileTypes : platform::FileTypes {
  platform::FileTypeInfo answer;
  platform::FileTypeInfo Describe(const std::string&) override { return answer; }
};

#ifndef _WIN32
struct stat StatOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status;
}
#endif

TEST_F(FileInfoTest, AnyPathFormGivesTheAbsoluteNormalisedPathAndTheNameOnDisk) {
  const std::string file = Write("Sub/MixedCase.TTF");
  CFileInfo info;
  ASSERT_TRUE(info.SetFullPathName(folder_ + "//Sub/./../Sub//MixedCase.TTF"));
  EXPECT_TRUE(info.FileExists());
  EXPECT_EQ(info.FullPathName(), file);
#ifndef _WIN32
  EXPECT_EQ(info.ShortPathName(), file);  // no 8.3 names here
#endif
  EXPECT_EQ(info.ShortPath() + info.ShortName(), info.ShortPathName());
  EXPECT_EQ(info.FileName(), "MixedCase.TTF");
  EXPECT_EQ(info.FilePath(), Path("Sub/"));
  EXPECT_EQ(info.FileExtension(), "TTF");
  EXPECT_EQ(info.FileSize(), 3u);
  EXPECT_EQ(info.TypeName(), "TTF File");

  const fs::path before = fs::current_path();
  fs::current_path(folder_ + "/Sub");
  CFileInfo relative;
  relative.SetFullPathName("../Sub/MixedCase.TTF");
  fs::current_path(before);
  EXPECT_EQ(relative.FullPathName(), file);

  // Extensions: after the last dot, none without one; a leading dot hides.
  for (const auto& [name, extension, type] : {std::tuple{"README", "", "File"},
                                              {"a.tar.gz", "gz", "GZ File"},
                                              {"end.", "", "File"},
                                              {".hidden", "hidden", "HIDDEN File"}}) {
    info.SetFullPathName(Write(name));
    EXPECT_EQ(info.FileExtension(), extension) << name;
    EXPECT_EQ(info.TypeName(), type) << name;
    EXPECT_EQ(info.attrHidden(), name[0] == '.') << name;
  }
}

TEST_F(FileInfoTest, TypeNameFromTheSourceIsTrimmedAndBlankFallsBackToTheExtension) {
  FakeFileTypes types;
  types.answer = {"Sans.otf", "  OpenType 字体 ", 42};
  CFileInfo info(&types);
  info.SetFullPathName(Write("Sans.otf"));
  EXPECT_EQ(info.DisplayName(), "Sans.otf");
  EXPECT_EQ(info.TypeName(), "OpenType 字体");
  EXPECT_EQ(info.hIcon(), 42u);
  types.answer = {"Sans.otf", "   ", 0};
  info.Refresh();
  EXPECT_EQ(info.TypeName(), "OTF File");
}

TEST_F(FileInfoTest, FoldersAndMissingFilesAreNotFoundAndKeepThePreviousFile) {
  const std::string file = Write("Kept.ttf", "12345");
  CFileInfo info;
  info.SetFullPathName(file);
  const FileDateTime modified = info.ModifyTime();

  info.SetFullPathName(folder_ + "/./Missing.otf");
  EXPECT_FALSE(info.FileExists());
  EXPECT_EQ(info.FullPathName(), Path("Missing.otf"));
  EXPECT_EQ(info.FileName(), "Kept.ttf");
  EXPECT_EQ(info.FileSize(), 5u);
  EXPECT_EQ(info.ModifyTime(), modified);

  info.SetFullPathName(folder_);
  EXPECT_FALSE(info.FileExists());
  EXPECT_EQ(info.FileName(), "Kept.ttf");
  EXPECT_FALSE(info.SetFullPathName(""));
  EXPECT_EQ(info.FullPathName(), folder_);
  EXPECT_FALSE(info.SetModifyTime({2004, 3, 15, 13, 5, 9}));
}

TEST_F(FileInfoTest, SizesPastFourGigabytesAreExact) {
  const std::string file = Write("Huge.ttc", "");
  fs::resize_file(file, 5ull << 30);
  CFileInfo info;
  info.SetFullPathName(file);
  EXPECT_EQ(info.FileSize(), 5ull << 30);
  EXPECT_EQ(info.FileSizeHigh(), 1u);
#ifndef _WIN32
  EXPECT_LT(info.CompressedFileSize(), 1u << 20);  // sparse: almost nothing on disk
#endif
  EXPECT_EQ(CFileInfo::FormatFileSize(info.FileSize()), "5,242,880.00");
}

#ifndef _WIN32
// What the Linux backend can write; the Windows backend's tests have their own.
TEST_F(FileInfoTest, OnlyTheReadOnlyAttributeAndTwoTimesCanBeWritten) {
  const std::string file = Write("Plain.ttf");
  fs::permissions(file, fs::perms(0664), fs::perm_options::replace);
  CFileInfo info;
  info.SetFullPathName(file);
  ASSERT_EQ(info.Attributes(), 0u);  // writable, not hidden, in a folder of the user's
  const FileDateTime created = info.CreationTime();
  const struct stat before = StatOf(file);

  EXPECT_FALSE(info.SetCreationTime({2001, 2, 3, 4, 5, 6}));
  for (auto set : {&CFileInfo::SetAttrHidden, &CFileInfo::SetAttrSystem, &CFileInfo::SetAttrArchive,
                   &CFileInfo::SetAttrTemporary, &CFileInfo::SetAttrCompressed}) {
    EXPECT_FALSE((info.*set)(true));
    EXPECT_TRUE((info.*set)(false));  // already so
  }
  EXPECT_FALSE(info.SetAttributes(kAttrReadOnly | kAttrArchive));  // all or nothing
  EXPECT_TRUE(info.SetAttributes(0));
  EXPECT_EQ(info.CreationTime(), created);
  EXPECT_EQ(info.Attributes(), 0u);
  // Not even a chmod to the same mode: the change time stays.
  const struct stat after = StatOf(file);
  EXPECT_EQ(std::pair(after.st_ctim.tv_sec, after.st_ctim.tv_nsec),
            std::pair(before.st_ctim.tv_sec, before.st_ctim.tv_nsec));
  EXPECT_EQ(after.st_mode, before.st_mode);

  EXPECT_TRUE(info.SetAttrReadOnly(true));
  EXPECT_EQ(info.Attributes(), kAttrReadOnly);
  EXPECT_EQ(StatOf(file).st_mode & 07777, 0464u);
  EXPECT_TRUE(info.SetAttributes(0));
  EXPECT_EQ(StatOf(file).st_mode & 07777, 0664u);

  const FileDateTime modified{2004, 3, 15, 13, 5, 9}, read{2010, 12, 31, 0, 0, 0};
  EXPECT_TRUE(info.SetModifyTime(modified));
  EXPECT_TRUE(info.SetLastAccessTime(read));
  EXPECT_FALSE(info.SetModifyTime({2003, 2, 29, 12, 0, 0}));  // no such day
  EXPECT_FALSE(info.SetModifyTime({}));
  CFileInfo other;  // sees what reached the disk
  other.SetFullPathName(file);
  EXPECT_EQ(other.ModifyTime(), modified);
  EXPECT_EQ(other.LastAccessTime(), read);
  EXPECT_EQ(info.ModifyTime(), modified);
}

// Needs an ordinary user: the superuser may change any folder. The test
// script runs every *AsUserTest again as one when the suite runs as root.
using FileInfoAsUserTest = FileInfoTest;

TEST_F(FileInfoAsUserTest, FilesInAFolderTheUserMayNotChangeAreSystemFiles) {
  const std::string file = Write("Locked/System.ttf");
  fs::permissions(folder_ + "/Locked", fs::perms(0555), fs::perm_options::replace);
  const bool writable = access((folder_ + "/Locked").c_str(), W_OK) == 0;
  CFileInfo info;
  info.SetFullPathName(file);
  fs::permissions(folder_ + "/Locked", fs::perms(0755), fs::perm_options::replace);
  if (writable) GTEST_SKIP() << "the superuser may change any folder; see scripts/test";
  EXPECT_TRUE(info.attrSystem());
  EXPECT_FALSE(info.SetAttrSystem(false));
}
#endif

TEST(FileInfoFormatTest, DatesAndSizesAsTheListShowsThem) {
  EXPECT_EQ(CFileInfo::FormatFileDate({2004, 3, 15, 13, 5, 9}), "2004-03-15 13:05:09");
  EXPECT_EQ(CFileInfo::FormatFileDate({2004, 3, 15, 0, 0, 0}), "2004-03-15 00:00:00");
  EXPECT_EQ(CFileInfo::FormatFileDate({}), "");

  EXPECT_EQ(CFileInfo::FormatFileSize(0), "0.00");
  EXPECT_EQ(CFileInfo::FormatFileSize(5), "0.00");    // 0.0049
  EXPECT_EQ(CFileInfo::FormatFileSize(6), "0.01");    // 0.0059
  EXPECT_EQ(CFileInfo::FormatFileSize(128), "0.13");  // 0.125 exactly: half goes up
  EXPECT_EQ(CFileInfo::FormatFileSize(1023), "1.00");
  EXPECT_EQ(CFileInfo::FormatFileSize(1536), "1.50");
  EXPECT_EQ(CFileInfo::FormatFileSize(1023999), "1,000.00");  // the carry makes a group
  EXPECT_EQ(CFileInfo::FormatFileSize(1048576), "1,024.00");
  EXPECT_EQ(CFileInfo::FormatFileSize(std::numeric_limits<std::uint64_t>::max()),
            "18,014,398,509,481,984.00");
}

}  // namespace
}  // namespace qm::fileinfo
