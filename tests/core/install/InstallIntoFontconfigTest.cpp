// SPDX-License-Identifier: GPL-3.0-or-later
// Installing into the user's fonts folder as every program of the user
// then sees it: through a fresh fontconfig configuration and a fresh scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/install/InstallPass.h"
#include "core/platform/linux/LinuxFontResources.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "core/platform/linux/ProgramFontconfigFile.h"
#include "support/FolderTest.h"

namespace qm::install {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

class InstallIntoFontconfigTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    for (const char* font : {"many/QmMany-00001.ttf", "many/QmMany-00002.ttf", "QmPair.ttc"})
      fs::copy_file(TestEnvironment::Current().SourceFont(font),
                    folder_ + "/" + fs::path(font).filename().string());
  }

  InstallPass Run(std::vector<InstallEntry> entries, bool copy) {
    InstallPass pass({folder_, fonts_, copy}, std::move(entries), resources_);
    while (!pass.AtEnd()) pass.Step();
    installed_ = pass.Finish();
    return pass;
  }

  static bool ScanShows(const std::string& family) {
    platform::LinuxPlatform platform("en_US.UTF-8");
    const auto families = platform.InstalledFamilies();
    return std::any_of(families.begin(), families.end(),
                       [&](const platform::InstalledFamily& f) { return f.name == family; });
  }

  std::vector<std::string> TemporaryFiles() const {
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(fonts_))
      if (file.path().filename().string().starts_with(".")) names.push_back(file.path());
    return names;
  }

  test::ScopedFontsConf conf_{{}, test::kUserFontconfigRules};
  std::string fonts_ = TestEnvironment::Current().UserFontsFolder();
  platform::LinuxFontResources resources_;
  std::vector<std::string> installed_;
};

TEST_F(InstallIntoFontconfigTest, CopiedFontsAreListedForEveryProgramAndInAFreshScan) {
  ASSERT_FALSE(ScanShows("Quillmere Many 00001"));
  const InstallPass pass =
      Run({{"QmMany-00001.ttf", true}, {"QmMany-00002.ttf", false}, {"QmPair.ttc", true}}, true);
  EXPECT_EQ(pass.Installed(), 2);
  EXPECT_EQ(installed_,
            (std::vector<std::string>{fonts_ + "/QmMany-00001.ttf", fonts_ + "/QmPair.ttc"}));
  EXPECT_EQ(platform::ListedByFontconfig(installed_), (std::vector<bool>{true, true}));
  EXPECT_TRUE(ScanShows("Quillmere Many 00001"));
  EXPECT_FALSE(ScanShows("Quillmere Many 00002"));
  EXPECT_TRUE(TemporaryFiles().empty());

  // Again: the names are taken, nothing changes and nothing counts.
  EXPECT_EQ(Run({{"QmMany-00001.ttf", true}, {"QmPair.ttc", true}}, true).Installed(), 0);
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_F(InstallIntoFontconfigTest, InPlaceFontsAreListedThroughALinkUnlessListedWhereTheyLie) {
  const std::string systemFont = TestEnvironment::Current().SystemFontsFolder() + "/QmPair.ttc";
  const InstallPass pass = Run({{"QmMany-00002.ttf", true}}, false);
  EXPECT_EQ(pass.Installed(), 1);
  EXPECT_TRUE(fs::is_symlink(fonts_ + "/QmMany-00002.ttf"));
  EXPECT_TRUE(ScanShows("Quillmere Many 00002"));

  // A file fontconfig lists in its own folder is loaded already: no link stays.
  InstallPass already({TestEnvironment::Current().SystemFontsFolder(), fonts_, false},
                      {{"QmPair.ttc", true}}, resources_);
  already.Step();
  EXPECT_TRUE(already.Finish().empty());
  EXPECT_EQ(already.Outcome(0), EntryOutcome::kAlreadyLoaded);
  EXPECT_FALSE(fs::exists(fs::symlink_status(fonts_ + "/QmPair.ttc")));
  EXPECT_EQ(platform::ListedByFontconfig({systemFont}), std::vector<bool>{true});
}

TEST_F(InstallIntoFontconfigTest, InstallingAFileTakesItsUnloadEntryOut) {
  const std::string installedPath = fonts_ + "/QmMany-00001.ttf";
  platform::ProgramFontconfigFile file;
  ASSERT_TRUE(file.Add(platform::ProgramFontconfigFile::Group::kUnloaded, {installedPath}));
  EXPECT_EQ(Run({{"QmMany-00001.ttf", true}}, true).Installed(), 1);
  EXPECT_TRUE(file.Entries(platform::ProgramFontconfigFile::Group::kUnloaded).empty());
  EXPECT_EQ(platform::ListedByFontconfig({installedPath}), std::vector<bool>{true});
}

}  // namespace
}  // namespace qm::install
