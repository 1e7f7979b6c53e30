// SPDX-License-Identifier: GPL-3.0-or-later
// The removal passes on real files in the test's own folders, with the
// real unloading through fontconfig; the file system is checked afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/removal/FileMove.h"
#include "support/TestEnvironment.h"
#ifndef _WIN32
#include "core/platform/RegistryKeys.h"
#include "core/platform/linux/FontFolderGuard.h"
#include "core/platform/linux/LinuxFontResources.h"
#include "core/platform/linux/ProgramFontconfigFile.h"
#include "core/removal/FontRemoval.h"
#include "support/FakeRegistry.h"
#endif

namespace qm::removal {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

#ifndef _WIN32
// The passes unload through the Linux backend's fontconfig file, which they read back.
using platform::ProgramFontconfigFile;

class FontRemovalTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    fs::create_directories(trash_);
    registry_.CreateKey(platform::kHkeyLocalMachine, platform::kFontsNtKey);
  }
  void TearDown() override {
    fs::remove_all(folder_);
    fs::remove(platform::RejectRulesFile());
  }
  // A copy of a test font in the user's fonts folder under name.
  std::string Place(const std::string& name, const std::string& font = "QmQuote.ttf") {
    fs::copy_file(TestEnvironment::Current().SourceFont(font), folder_ + "/" + name);
    return folder_ + "/" + name;
  }
  FontRemoval Removal(const std::string& osName = {}) {
    RemovalContext context{folder_, {TestEnvironment::Current().UserFontsFolder()}, {}, osName};
    return FontRemoval(context, resources_, registry_, *files_, [this](const std::string& path) {
      // Stands in for the desktop's trash: the file goes into a folder of its own.
      std::error_code error;
      fs::rename(path, trash_ + "/" + fs::path(path).filename().string(), error);
      return !error;
    });
  }
  std::vector<std::string> Unloaded() const {
    return ProgramFontconfigFile().Entries(ProgramFontconfigFile::Group::kUnloaded);
  }

  test::ScopedFontsConf conf_{"", test::kUserFontconfigRules};
  std::string folder_ = TestEnvironment::Current().UserFontsFolder() + "/removal";
  std::string trash_ = TestEnvironment::Current().FolderForCurrentTest("trash");
  platform::LinuxFontResources resources_;
  test::FakeRegistry registry_;
  std::unique_ptr<platform::FileSystem> files_ = platform::CreateFileSystem();
};

TEST_F(FontRemovalTest, EssentialNamesByTheListsSubstringRuleAndBitmapFonts) {
  FontRemoval removal = Removal();
  for (const char* name : {"simsun.ttc", "SimSun.TTC", "micross.ttf", "modern.fon", "sun.ttc",
                           "any.FON", "/usr/share/fonts/simsun.ttc"})
    EXPECT_TRUE(removal.IsImportantFont(name)) << name;
  for (const char* name : {"quote.ttf", "micross.ttf,arial.ttf", "fon.ttf"})
    EXPECT_FALSE(removal.IsImportantFont(name)) << name;
}

TEST_F(FontRemovalTest, TheFacesTheDesktopDrawsTextInAreEssentialAlsoThroughALink) {
  const std::string face = Place("ui.ttf");
  fs::create_symlink(face, folder_ + "/ui-link.ttf");
  RemovalContext context{folder_, {TestEnvironment::Current().UserFontsFolder()}, {face}, {}};
  FontRemoval removal(context, resources_, registry_, *files_,
                      [](const std::string&) { return false; });
  EXPECT_TRUE(removal.IsImportantFont("ui.ttf"));
  EXPECT_TRUE(removal.IsImportantFont(face));
  EXPECT_TRUE(removal.IsImportantFont("ui-link.ttf"));
  EXPECT_FALSE(removal.IsImportantFont("other.ttf"));
}

TEST_F(FontRemovalTest, CheckedBoxesRefuseEssentialHiddenAndOutsideFilesAndTouchNothing) {
  const std::vector<std::string> paths = {Place("simsun.ttc"), Place("old.fon"),
                                          Place(".hidden.ttf")};
  const std::string outside = TestEnvironment::Current().SystemFontsFolder() + "/QmPair.ttc";
  std::vector<RemovalRow> rows = {
      {"simsun.ttc", "宋体"}, {"old.fon", "Old"}, {".hidden.ttf", "Hidden"}, {outside, "Pair"}};
  Removal().Run(rows, {});
  for (const RemovalRow& row : rows) {
    EXPECT_EQ(row.unloaded, kNo) << row.fileName;
    EXPECT_EQ(row.deleted, kNo) << row.fileName;
  }
  for (const std::string& path : paths) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_TRUE(fs::exists(outside));
  EXPECT_TRUE(Unloaded().empty());
  EXPECT_TRUE(fs::is_empty(trash_));
}

TEST_F(FontRemovalTest, AnOrdinaryFontIsUnloadedThenTrashedAndAMissingOneIsNot) {
  const std::string font = Place("quote.ttf");
  std::vector<RemovalRow> rows = {{"quote.ttf", "Quote"}, {"gone.ttf", "Gone"}};
  Removal().Run(rows, {.keepImportant = false});
  EXPECT_EQ(rows[0].unloaded, kYes);
  EXPECT_EQ(rows[0].deleted, kYes);
  EXPECT_EQ(rows[1].unloaded, kNo);
  EXPECT_EQ(rows[1].deleted, kNo);
  EXPECT_FALSE(fs::exists(font));
  EXPECT_EQ(Contents(trash_ + "/quote.ttf"),
            Contents(TestEnvironment::Current().SourceFont("QmQuote.ttf")));
  EXPECT_EQ(Unloaded(), (std::vector<std::string>{font}));
}

TEST_F(FontRemovalTest, UncheckedBoxesLetAFileOutsideTheUsersFoldersBeUnloadedOnly) {
  const std::string outside = TestEnvironment::Current().SystemFontsFolder() + "/QmPair.ttc";
  std::vector<RemovalRow> rows = {{outside, "Pair"}};
  Removal().Run(rows, {false, false, FileAction::kLeave, {}});
  EXPECT_EQ(rows[0].unloaded, kYes);
  EXPECT_EQ(rows[0].deleted, "");
  EXPECT_EQ(rows[0].movedTo, "");
  EXPECT_TRUE(fs::exists(outside));
  EXPECT_EQ(Unloaded(), (std::vector<std::string>{outside}));
}

TEST_F(FontRemovalTest, TheFontTableEntryGoesOnlyForTheSystemsWithOne) {
  Place("quote.ttf");
  registry_.PutText(platform::kHkeyLocalMachine, platform::kFontsNtKey, "Quote (TrueType)",
                    "quote.ttf");
  std::vector<RemovalRow> rows = {{"quote.ttf", "Quote"}};
  Removal("Win XP").Run(rows, {false, true, FileAction::kLeave, {}});
  EXPECT_EQ(rows[0].unloaded, kYes);
  EXPECT_EQ(registry_.Find(platform::kHkeyLocalMachine, platform::kFontsNtKey, "Quote (TrueType)"),
            nullptr);
}

TEST_F(FontRemovalTest, ABlankDestinationUnloadsButMovesNothing) {
  const std::string font = Place("quote.ttf");
  std::vector<RemovalRow> rows = {{"quote.ttf", "Quote"}};
  Removal().Run(rows, {false, true, FileAction::kMove, "   "});
  EXPECT_EQ(rows[0].unloaded, kYes);
  EXPECT_EQ(rows[0].movedTo, "");
  EXPECT_TRUE(fs::exists(font));
}

TEST_F(FontRemovalTest, OddNamesAndALinkAreMovedAndAnExistingFileIsNeverReplaced) {
  const std::string destination = TestEnvironment::Current().FolderForCurrentTest("moved");
  const std::string target = TestEnvironment::Current().FolderForCurrentTest("target") + "/t.ttf";
  fs::copy_file(TestEnvironment::Current().SourceFont("QmAmp.ttf"), target);
  fs::create_symlink(target, folder_ + "/link.ttf");
  const std::vector<std::string> odd = {"with space.ttf", "new\nline.ttf", "bad\xff\xfe.ttf"};
  for (const std::string& name : odd) Place(name);
  Place("taken.ttf");
  std::ofstream(destination + "/taken.ttf") << "someone else's";

  std::vector<RemovalRow> rows = {
      {odd[0], "A"}, {odd[1], "B"}, {odd[2], "C"}, {"link.ttf", "L"}, {"taken.ttf", "T"}};
  Removal().Run(rows, {false, true, FileAction::kMove, destination});
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(rows[i].unloaded, kYes) << i;
    EXPECT_EQ(rows[i].movedTo, destination) << i;
  }
  for (const std::string& name : odd) {
    EXPECT_FALSE(fs::exists(folder_ + "/" + name));
    EXPECT_EQ(Contents(destination + "/" + name),
              Contents(TestEnvironment::Current().SourceFont("QmQuote.ttf")));
  }
  EXPECT_TRUE(fs::is_symlink(destination + "/link.ttf"));
  EXPECT_TRUE(fs::exists(target));
  EXPECT_EQ(rows[4].movedTo, kNo);
  EXPECT_TRUE(fs::exists(folder_ + "/taken.ttf"));
  EXPECT_EQ(Contents(destination + "/taken.ttf"), "someone else's");
  // Unloaded stays unloaded where the file could not go.
  EXPECT_EQ(Unloaded().size(), 5u);
}

TEST_F(FontRemovalTest, AFileThatVanishedBeforeOkIsReportedAndNothingElseHappens) {
  const std::string font = Place("quote.ttf");
  std::vector<RemovalRow> rows = {{"quote.ttf", "Quote"}};
  FontRemoval removal = Removal();
  fs::remove(font);
  removal.Run(rows, {.keepImportant = false});
  EXPECT_EQ(rows[0].unloaded, kNo);
  EXPECT_EQ(rows[0].deleted, kNo);
  EXPECT_TRUE(Unloaded().empty());
  EXPECT_FALSE(fs::exists(platform::RejectRulesFile()));
}

#endif

class FileMoveTest : public testing::Test {
 protected:
  std::string folder_ = TestEnvironment::Current().FolderForCurrentTest("move");
  std::string font_ = TestEnvironment::Current().SourceFont("QmQuote.ttf");
};

// /dev/shm is a file system of its own where it exists.
TEST_F(FileMoveTest, AcrossFileSystemsTheCopyIsCheckedAndNoPartIsLeft) {
  std::error_code error;
  if (!fs::is_directory("/dev/shm", error) || access("/dev/shm", W_OK) != 0)
    GTEST_SKIP() << "no /dev/shm to move to";
  const std::string other = "/dev/shm/quillmere-move-" + std::to_string(getpid());
  fs::create_directories(other);
  const std::string source = folder_ + "/q.ttf";
  fs::copy_file(font_, source);
  ASSERT_TRUE(MoveFileVerified(source, other + "/q.ttf"));
  EXPECT_FALSE(fs::exists(source));
  EXPECT_EQ(Contents(other + "/q.ttf"), Contents(font_));
  EXPECT_EQ(std::distance(fs::directory_iterator(other), fs::directory_iterator()), 1);

  // Back again onto an existing file: refused, both intact.
  fs::copy_file(font_, source);
  std::ofstream(other + "/q2.ttf") << "other";
  EXPECT_FALSE(MoveFileVerified(source, other + "/q2.ttf"));
  EXPECT_EQ(Contents(other + "/q2.ttf"), "other");
  EXPECT_EQ(Contents(source), Contents(font_));
  EXPECT_EQ(std::distance(fs::directory_iterator(other), fs::directory_iterator()), 2);
  fs::remove_all(other);
}

TEST_F(FileMoveTest, ADestinationNoOneMayWriteLeavesTheSourceWhereItWas) {
  const std::string source = folder_ + "/q.ttf";
  fs::copy_file(font_, source);
  // Not even root may make files in /proc.
  EXPECT_FALSE(MoveFileVerified(source, "/proc/q.ttf"));
  EXPECT_EQ(Contents(source), Contents(font_));
}

#ifndef _WIN32
// Root writes into any folder: run again as an ordinary user by scripts/test-as-user.
class FileMoveAsUserTest : public FileMoveTest {};

TEST_F(FileMoveAsUserTest, AReadOnlyDestinationLeavesTheSourceWhereItWas) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  const std::string source = folder_ + "/q.ttf";
  fs::copy_file(font_, source);
  const std::string locked = folder_ + "/locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(MoveFileVerified(source, locked + "/q.ttf"));
  fs::permissions(locked, fs::perms::owner_all);
  EXPECT_EQ(Contents(source), Contents(font_));
  EXPECT_TRUE(fs::is_empty(locked));
}
#endif

}  // namespace
}  // namespace qm::removal
