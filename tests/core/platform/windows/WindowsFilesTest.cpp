// SPDX-License-Identifier: GPL-3.0-or-later
// Files and drives on Windows: attributes, times, names on disk and 8.3
// names through CFileInfo, and the drives with their free space.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/catalogue/FolderListing.h"
#include "core/fileinfo/FileInfo.h"
#include "core/platform/Drives.h"
#include "core/platform/PathHelpers.h"
#include "core/platform/Text.h"
#include "core/platform/windows/WindowsText.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

using fileinfo::CFileInfo;
namespace fs = std::filesystem;

DWORD AttributesOnDisk(const std::string& path) {
  return GetFileAttributesW(WideFromUtf8(path).c_str());
}

using WindowsFileInfoTest = test::FolderTest;

TEST_F(WindowsFileInfoTest, ReadOnlyHiddenAndSystemAreReadAndWritten) {
  const std::string file = Write("Attributes.ttf");
  ASSERT_TRUE(SetFileAttributesW(WideFromUtf8(file).c_str(), FILE_ATTRIBUTE_READONLY |
                                                                 FILE_ATTRIBUTE_HIDDEN |
                                                                 FILE_ATTRIBUTE_SYSTEM));
  CFileInfo info;
  info.SetFullPathName(file);
  ASSERT_TRUE(info.FileExists());  // hidden and system files are found too
  EXPECT_TRUE(info.attrReadOnly() && info.attrHidden() && info.attrSystem());

  EXPECT_TRUE(info.SetAttrReadOnly(false));
  EXPECT_TRUE(info.SetAttrArchive(true));
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  EXPECT_EQ(AttributesOnDisk(file), kept);
  EXPECT_EQ(info.Attributes(), kAttrHidden | kAttrSystem | kAttrArchive);
  EXPECT_TRUE(info.SetAttrHidden(false));
  EXPECT_TRUE(info.SetAttrSystem(false));
  EXPECT_EQ(AttributesOnDisk(file) & ~DWORD{FILE_ATTRIBUTE_ARCHIVE}, DWORD{0});
  // Wine reports every ordinary file as archived whatever was written, so
  // clearing the archive bit is not checked here.

  // Neither can be set by writing attributes: nothing changes.
  const DWORD before = AttributesOnDisk(file);
  EXPECT_FALSE(info.SetAttrTemporary(true));
  EXPECT_FALSE(info.SetAttrCompressed(true));
  EXPECT_EQ(AttributesOnDisk(file), before);
}

TEST_F(WindowsFileInfoTest, TimesAreWrittenEvenToAReadOnlyFile) {
  const std::string file = Write("Times.ttf");
  CFileInfo info;
  info.SetFullPathName(file);
  ASSERT_TRUE(info.SetAttrReadOnly(true));
  const FileDateTime modified{2004, 3, 15, 13, 5, 9}, read{2010, 12, 31, 0, 0, 0};
  EXPECT_TRUE(info.SetModifyTime(modified));
  EXPECT_TRUE(info.SetLastAccessTime(read));
  EXPECT_FALSE(info.SetModifyTime({2003, 2, 29, 12, 0, 0}));  // no such day
  EXPECT_FALSE(info.SetModifyTime({}));
  CFileInfo other;  // sees what reached the disk
  other.SetFullPathName(file);
  EXPECT_EQ(other.ModifyTime(), modified);
  EXPECT_EQ(other.LastAccessTime(), read);
  EXPECT_FALSE(other.CreationTime().IsNull());
  // Wine keeps files on a Linux file system, which has no writable birth
  // time: the creation time is accepted there but not kept, so whether it
  // reaches the disk is not checked here.
  EXPECT_TRUE(info.SetCreationTime({2001, 2, 3, 4, 5, 6}));
  info.SetAttrReadOnly(false);
}

TEST_F(WindowsFileInfoTest, NamesAsStoredOnDiskAndTheirShortForms) {
  const std::string file = Write("Sub Folder/Long File Name.ttf");
  Write("Sub Folder/short.ttf");
  CFileInfo info;
  info.SetFullPathName(AsciiLower(file));
  ASSERT_TRUE(info.FileExists());
  EXPECT_EQ(info.FullPathName(), file);  // every name in its case on disk
  EXPECT_EQ(info.FileName(), "Long File Name.ttf");
  EXPECT_EQ(info.FilePath(), Path("Sub Folder/"));
  EXPECT_TRUE(std::isupper(static_cast<unsigned char>(info.FullPathName()[0])));

  // An 8.3 name: at most eight characters, a dot, at most three.
  const std::string& shortName = info.ShortName();
  EXPECT_NE(shortName, info.FileName());
  EXPECT_LE(shortName.find('.'), 8u) << shortName;
  EXPECT_EQ(shortName.find(' '), std::string::npos) << shortName;
  EXPECT_EQ(info.ShortPath() + shortName, info.ShortPathName());
  CFileInfo byShortName;
  byShortName.SetFullPathName(info.ShortPathName());
  EXPECT_EQ(byShortName.FullPathName(), file);

  info.SetFullPathName(Path("Sub Folder/short.ttf"));
  EXPECT_EQ(info.ShortName(), "SHORT.TTF");  // already short: the name in upper case
}

// The narrow path functions of the C++ library do not take UTF-8 here.
TEST_F(WindowsFileInfoTest, ChineseNamesAreListedAndDescribedInUtf8) {
  const std::string path = folder_ + "\\测试黑体.ttf";  // Path() would narrow it wrongly
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "12345", 5, &written, nullptr);
  CloseHandle(file);

  const std::vector<catalogue::FolderEntry> entries = catalogue::ListFolderFiles(folder_, nullptr);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "测试黑体.ttf");
  EXPECT_EQ(entries[0].path, path);
  EXPECT_EQ(entries[0].size, 5u);
  EXPECT_TRUE(FileIsPresent(path));
  CFileInfo info;
  info.SetFullPathName(path);
  EXPECT_EQ(info.FileName(), "测试黑体.ttf");
}

TEST_F(WindowsFileInfoTest, AFileAtADriveRootHasTheRootAsItsFolder) {
  const std::string file = "c:\\quillmere-root-test.ttf";
  std::ofstream(file) << "abc";
  CFileInfo info;
  info.SetFullPathName(file);
  fs::remove(file);
  EXPECT_EQ(info.FilePath(), "C:\\");
  EXPECT_EQ(info.FullPathName(), "C:\\quillmere-root-test.ttf");
}

TEST(WindowsDrivesTest, TheSystemDriveComesFirstWithItsKindAndFreeSpace) {
  const std::vector<Drive> drives = ListDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front().root, "C:\\");
  EXPECT_EQ(drives.front().kind, DriveKind::kFixed);
  for (const Drive& drive : drives) {
    EXPECT_EQ(drive.root.size(), 3u) << drive.root;
    EXPECT_EQ(drive.label, DriveVolumeName(drive.root)) << drive.root;
    EXPECT_FALSE(IsReadyCdDrive(drive.root) && drive.kind != DriveKind::kCdRom) << drive.root;
  }
  EXPECT_FALSE(IsReadyCdDrive("C:"));

  // Only the letter counts; the figure is the whole 64 bits.
  ULARGE_INTEGER free{};
  ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &free, nullptr, nullptr));
  for (const char* drive : {"C", "c:", "C:\\windows"}) {
    const std::int64_t bytes = DiskFreeBytes(drive);
    // Others write to the same disk meanwhile: equal within 256 MB.
    EXPECT_LT(std::llabs(bytes - static_cast<std::int64_t>(free.QuadPart)), 1ll << 28) << drive;
  }
}

TEST(WindowsDrivesTest, ACdDriveWithADiscIsReadyAndShowsTheDiscsName) {
  if (GetDriveTypeW(L"R:\\") != DRIVE_CDROM)
    GTEST_SKIP() << "scripts/test-core-windows gives Wine a CD drive R: with a disc in it";
  EXPECT_TRUE(IsReadyCdDrive("R:"));
  EXPECT_TRUE(IsReadyCdDrive("r"));
  EXPECT_EQ(DriveVolumeName("R:"), "测试光盘");  // read in code page 936
  const std::vector<Drive> drives = ListDrives();
  const auto cd = std::find_if(drives.begin(), drives.end(),
                               [](const Drive& drive) { return drive.root == "R:\\"; });
  ASSERT_NE(cd, drives.end());
  EXPECT_EQ(cd->kind, DriveKind::kCdRom);
  EXPECT_EQ(cd->label, "测试光盘");
}

TEST(WindowsDrivesTest, ADriveThatIsNotThereHasNoSpaceAndNoName) {
  const DWORD mask = GetLogicalDrives();
  char missing = 0;
  for (char letter = 'Y'; letter > 'C' && !missing; --letter)
    if (!(mask & (DWORD{1} << (letter - 'A')))) missing = letter;
  ASSERT_NE(missing, 0);
  const std::string drive = std::string(1, missing) + ":";
  EXPECT_EQ(DiskFreeBytes(drive), -1);
  EXPECT_EQ(DriveVolumeName(drive), "");
  EXPECT_FALSE(IsReadyCdDrive(drive));
  EXPECT_EQ(DiskFreeBytes(""), -1);
}

}  // namespace
}  // namespace qm::platform
