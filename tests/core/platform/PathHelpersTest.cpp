// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/platform/PathHelpers.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

TEST(PathHelpersTest, FileExtensionOfEitherSeparatorAnchorsAndLongOnes) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\WINDOWS\\Fonts\\arial.ttf", "ttf"},
      {"/usr/share/fonts/arial.TTF", "TTF"},
      {"mixed/folder\\name.otf ", "otf"},
      {"noextension", " "},
      {"/folder.with.dots/noextension", " "},
      {"name.longext", " "},
      {"name.sixsix", "sixsix"},
      {"page.htm#top", "htm"},
      {"folder/", " "},
      {"trailing.", " "},
      {"archive.tar.gz", "gz"},
  };
  for (const auto& [path, extension] : cases) EXPECT_EQ(GetFileExtension(path), extension) << path;
}

TEST(PathHelpersTest, AddBackslashAppendsTheSeparatorOnce) {
  const std::string sep(1, kPathSeparator);
  EXPECT_EQ(AddBackslash(""), sep);
  EXPECT_EQ(AddBackslash(sep), sep);
  EXPECT_EQ(AddBackslash("/usr/share"), "/usr/share" + sep);
  EXPECT_EQ(AddBackslash("/usr/share" + sep), "/usr/share" + sep);
}

TEST(PathHelpersTest, RemoveBackslashKeepsTheRootFoldersOwn) {
  const std::string sep(1, kPathSeparator);
  EXPECT_EQ(RemoveBackslash("/usr/share" + sep + sep), "/usr/share");
  EXPECT_EQ(RemoveBackslash("/usr/share"), "/usr/share");
  EXPECT_EQ(RemoveBackslash(sep + sep), sep);
  EXPECT_EQ(RemoveBackslash(""), "");
}

TEST(PathHelpersTest, FileIsPresentForFilesOnly) {
  const std::string root = test::TestEnvironment::Current().Root();
  const std::string hidden = root + "/.hidden-file";
  std::ofstream(hidden) << "x";
  std::filesystem::permissions(hidden, std::filesystem::perms::owner_read,
                               std::filesystem::perm_options::replace);
  EXPECT_TRUE(FileIsPresent(hidden));
  EXPECT_FALSE(FileIsPresent(root));
  EXPECT_FALSE(FileIsPresent(root + "/"));
  EXPECT_FALSE(FileIsPresent(root + "/missing.ttf"));
  EXPECT_FALSE(FileIsPresent(""));
  EXPECT_FALSE(FileIsPresent(hidden + "/below-a-file"));
}

}  // namespace
}  // namespace qm::platform
