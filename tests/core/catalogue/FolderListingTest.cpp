// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/catalogue/FolderListing.h"
#include "core/platform/PathHelpers.h"
#include "support/FolderTest.h"

namespace qm::catalogue {
namespace {

namespace fs = std::filesystem;

class FolderListingTest : public test::FolderTest {
 protected:
  void Write(const std::string& name, std::size_t bytes) {
    FolderTest::Write(name, std::string(bytes, 'x'));
  }
  std::vector<std::string> Names(const std::vector<FolderEntry>& entries) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(FolderListingTest, EveryFileIsListedWhateverItsKindButNoFolders) {
  Write("Font.TTF", 1536);
  Write("desktop.ini", 10);
  Write(".hidden", 0);
  Write("noextension", 3);
  fs::create_directories(folder_ + "/subfolder");
  Write("subfolder/inner.ttf", 5);
  const auto entries = ListFolderFiles(folder_, nullptr);
  EXPECT_EQ(Names(entries),
            (std::vector<std::string>{".hidden", "Font.TTF", "desktop.ini", "noextension"}));
  for (const FolderEntry& entry : entries) {
    EXPECT_TRUE(entry.readable) << entry.name;
    if (entry.name == "Font.TTF") {
      EXPECT_EQ(entry.size, 1536u);
      EXPECT_FALSE(entry.modified.IsNull());
    }
  }
  // With or without the trailing separator.
  EXPECT_EQ(Names(ListFolderFiles(folder_ + "/", nullptr)), Names(entries));
}

// Names of bytes and links anyone may make: Linux file systems. (Windows
// keeps names in UTF-16, and making a link needs a privilege.)
#ifndef _WIN32
TEST_F(FolderListingTest, ANameThatIsNotUtf8KeepsItsBytesInNameAndPath) {
  const std::string name = "bad\xff.ttf";
  Write(name, 4);
  const auto entries = ListFolderFiles(folder_ + "/", nullptr);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, name);
  EXPECT_EQ(entries[0].path, folder_ + "/" + name);
  EXPECT_TRUE(platform::FileIsPresent(entries[0].path));
  EXPECT_EQ(entries[0].size, 4u);
}

TEST_F(FolderListingTest, AFileThatCannotBeLookedAtIsListedWithoutSize) {
  Write("real.ttf", 2048);
  fs::create_symlink(folder_ + "/gone.ttf", folder_ + "/dangling.ttf");
  for (const FolderEntry& entry : ListFolderFiles(folder_, nullptr)) {
    if (entry.name == "dangling.ttf") {
      EXPECT_FALSE(entry.readable);
      EXPECT_EQ(entry.size, 0u);  // not the size of the file looked at before it
    } else {
      EXPECT_EQ(entry.size, 2048u);
    }
  }
}
#endif

TEST_F(FolderListingTest, EmptyAndMissingFoldersGiveNoFiles) {
  EXPECT_TRUE(ListFolderFiles(folder_, nullptr).empty());
  EXPECT_TRUE(ListFolderFiles(folder_ + "/missing", nullptr).empty());
}

}  // namespace
}  // namespace qm::catalogue
