// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own fontconfig file and unloading font files through it.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/platform/linux/FontFolderGuard.h"
#include "core/platform/linux/LinuxFontResources.h"
#include "core/platform/linux/ProgramFontconfigFile.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;
using Group = ProgramFontconfigFile::Group;

// Fontconfig itself reads the file without a complaint.
bool FontconfigAccepts(const std::string& file) {
  FcConfig* config = FcConfigCreate();
  const bool accepted =
      FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue);
  FcConfigDestroy(config);
  return accepted;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ProgramFontconfigFileTest : public testing::Test {
 protected:
  void TearDown() override { fs::remove_all(fs::path(file_.Path()).parent_path()); }
  ProgramFontconfigFile file_;
};

TEST_F(ProgramFontconfigFileTest, KeepsExactPathsOfBothGroupsAndStaysWellFormed) {
  const std::string odd = "/f/bad\xff\n name & <x>*.ttf";
  const std::string plain = "/f/plain.ttf";
  const std::string other = fs::path(file_.Path()).parent_path() / "10-someone-elses.conf";
  fs::create_directories(fs::path(other).parent_path());
  std::ofstream(other) << "not even XML";

  ASSERT_TRUE(file_.Add(Group::kUnloaded, {odd, plain, odd}));
  ASSERT_TRUE(file_.Replace(Group::kNotFonts, {"/f/fifo.ttf"}));
  EXPECT_EQ(file_.Entries(Group::kUnloaded), (std::vector<std::string>{odd, plain}));
  EXPECT_EQ(file_.Entries(Group::kNotFonts), (std::vector<std::string>{"/f/fifo.ttf"}));
  EXPECT_TRUE(FontconfigAccepts(file_.Path()));

  // The guard rewrites its own group only.
  ASSERT_TRUE(file_.Replace(Group::kNotFonts, {}));
  ASSERT_TRUE(file_.Remove(Group::kUnloaded, {plain}));
  EXPECT_EQ(file_.Entries(Group::kUnloaded), (std::vector<std::string>{odd}));
  EXPECT_TRUE(FontconfigAccepts(file_.Path()));
  EXPECT_EQ(FolderEntries(fs::path(other).parent_path()),
            (std::vector<std::string>{"10-someone-elses.conf", "95-quillmere-rejects.conf"}));

  ASSERT_TRUE(file_.Remove(Group::kUnloaded, {odd}));
  EXPECT_FALSE(fs::exists(file_.Path()));
  std::ifstream untouched(other);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(untouched), {}), "not even XML");
}

// Root writes into any folder: run again as an ordinary user by scripts/test-as-user.
class ProgramFontconfigFileAsUserTest : public ProgramFontconfigFileTest {};

TEST_F(ProgramFontconfigFileAsUserTest, AnUnwritableFolderLeavesTheFileAsItWas) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  ASSERT_TRUE(file_.Add(Group::kUnloaded, {"/f/a.ttf"}));
  const fs::path folder = fs::path(file_.Path()).parent_path();
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(file_.Add(Group::kUnloaded, {"/f/b.ttf"}));
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(file_.Entries(Group::kUnloaded), (std::vector<std::string>{"/f/a.ttf"}));
}

class FontUnloadingTest : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override {
    fs::remove_all(folder_);
    fs::remove(RejectRulesFile());
  }
  std::string Place(const std::string& font, const std::string& name) {
    const std::string path = folder_ + "/" + name;
    fs::copy_file(TestEnvironment::Current().SourceFont(font), path);
    return path;
  }

  test::ScopedFontsConf conf_{"", test::kUserFontconfigRules};
  std::string folder_ = TestEnvironment::Current().UserFontsFolder() + "/unloading";
  LinuxFontResources resources_;
};

TEST_F(FontUnloadingTest, AListedFileStopsBeingListedAndStaysOnDisk) {
  const std::string font = Place("QmQuote.ttf", "quote with spaces.ttf");
  const std::string collection = Place("QmPair.ttc", "pair.ttc");
  const std::string notAFont = Place("Broken-NotAFont.ttf", "broken.ttf");
  const std::string missing = folder_ + "/missing.ttf";
  ASSERT_EQ(ListedByFontconfig({font, collection}), (std::vector<bool>{true, true}));

  EXPECT_EQ(resources_.RemoveFontResources({font, collection, notAFont, missing}),
            (std::vector<int>{1, 1, 0, 0}));
  EXPECT_EQ(ListedByFontconfig({font, collection}), (std::vector<bool>{false, false}));
  EXPECT_TRUE(fs::exists(font) && fs::exists(collection) && fs::exists(notAFont));
  EXPECT_EQ(ProgramFontconfigFile().Entries(Group::kUnloaded),
            (std::vector<std::string>{font, collection}));
  EXPECT_TRUE(FontconfigAccepts(RejectRulesFile()));

  // Unloaded already: nothing listed to unload.
  EXPECT_EQ(resources_.RemoveFontResources({font}), (std::vector<int>{0}));
}

TEST_F(FontUnloadingTest, ALinkIsUnloadedWithoutItsTarget) {
  const std::string target = TestEnvironment::Current().FolderForCurrentTest("unload") + "/t.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmQuote.ttf"), target);
  const std::string link = folder_ + "/link.ttf";
  fs::create_symlink(target, link);
  const std::string beside = Place("QmQuote.ttf", "copy.ttf");

  EXPECT_EQ(resources_.RemoveFontResources({link}), (std::vector<int>{1}));
  EXPECT_EQ(ListedByFontconfig({link, beside}), (std::vector<bool>{false, true}));
  EXPECT_TRUE(fs::is_symlink(link) && fs::exists(target));
}

TEST_F(FontUnloadingTest, TheGuardKeepsUnloadedEntries) {
  const std::string font = Place("QmQuote.ttf", "q.ttf");
  ASSERT_EQ(resources_.RemoveFontResources({font}), (std::vector<int>{1}));
  GuardUserFontFolders();
  EXPECT_EQ(ProgramFontconfigFile().Entries(Group::kUnloaded), (std::vector<std::string>{font}));
  EXPECT_EQ(ListedByFontconfig({font}), (std::vector<bool>{false}));
}

}  // namespace
}  // namespace qm::platform
