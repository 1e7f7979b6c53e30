// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "core/install/InstallPass.h"
#include "support/FolderTest.h"

namespace qm::install {
namespace {

namespace fs = std::filesystem;

// Loads nothing: says each file gives one new face unless told otherwise,
// and remembers every call.
class RecordingResources : public platform::FontResources {
 public:
  std::vector<int> AddFontResources(const std::vector<std::string>& paths) override {
    calls.push_back(paths);
    std::vector<int> results;
    for (const std::string& path : paths)
      results.push_back(std::count(refused.begin(), refused.end(), path) ? 0 : 1);
    return results;
  }
  std::vector<int> RemoveFontResources(const std::vector<std::string>& paths) override {
    return std::vector<int>(paths.size(), 0);
  }

  std::vector<std::vector<std::string>> calls;
  std::vector<std::string> refused;
};

class InstallPassTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    source_ = folder_ + "/source";
    fonts_ = folder_ + "/fonts";
    fs::create_directories(source_);
  }

  void AddSource(const std::string& testFont, const std::string& as = {}) {
    fs::copy_file(test::TestEnvironment::Current().SourceFont(testFont),
                  source_ + "/" + (as.empty() ? testFont : as));
  }

  // Runs every entry to the end, as the dialog does without a stop.
  InstallPass Run(std::vector<InstallEntry> entries, bool copy = true) {
    InstallPass pass({source_, fonts_, copy}, std::move(entries), resources_);
    while (!pass.AtEnd()) pass.Step();
    pass.Finish();
    return pass;
  }

  // A file in the fonts folder as the pass names it, with the system's separator.
  std::string InFonts(const std::string& name) const { return (fs::path(fonts_) / name).string(); }

  std::vector<std::string> FontsFolderNames() const {
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(fonts_))
      names.push_back(file.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string source_;
  std::string fonts_;
  RecordingResources resources_;
};

TEST_F(InstallPassTest, CopiesTheSelectedFontsAndLoadsThemWithOneCallAtTheEnd) {
  AddSource("QmLooped-Regular.ttf");
  AddSource("QmLooped-Bold.ttf");
  AddSource("QmPair.ttc");
  const InstallPass pass =
      Run({{"QmLooped-Regular.ttf", true}, {"QmLooped-Bold.ttf", false}, {"QmPair.ttc", true}});
  EXPECT_EQ(pass.Installed(), 2);  // a collection of two faces counts once
  EXPECT_EQ(pass.Outcome(1), EntryOutcome::kNotSelected);
  ASSERT_EQ(resources_.calls.size(), 1u);
  EXPECT_EQ(resources_.calls[0],
            (std::vector<std::string>{InFonts("QmLooped-Regular.ttf"), InFonts("QmPair.ttc")}));
  // Only the final names: no temporary file is left.
  EXPECT_EQ(FontsFolderNames(), (std::vector<std::string>{"QmLooped-Regular.ttf", "QmPair.ttc"}));
  EXPECT_FALSE(fs::is_symlink(fonts_ + "/QmPair.ttc"));
  EXPECT_EQ(fs::file_size(fonts_ + "/QmPair.ttc"), fs::file_size(source_ + "/QmPair.ttc"));
}

TEST_F(InstallPassTest, ANameAlreadyThereOrTheSameBytesUnderAnotherNameIsNotInstalledAgain) {
  AddSource("QmLooped-Regular.ttf");
  AddSource("QmLooped-Regular.ttf", "Copy Of Looped.TTF");
  EXPECT_EQ(Run({{"QmLooped-Regular.ttf", true}}).Installed(), 1);
  const InstallPass again = Run({{"QmLooped-Regular.ttf", true}, {"Copy Of Looped.TTF", true}});
  EXPECT_EQ(again.Installed(), 0);
  EXPECT_EQ(again.Outcome(0), EntryOutcome::kNameTaken);
  EXPECT_EQ(again.Outcome(1), EntryOutcome::kAlreadyLoaded);
  EXPECT_EQ(FontsFolderNames(), std::vector<std::string>{"QmLooped-Regular.ttf"});
}

TEST_F(InstallPassTest, BrokenAndHostileFilesAreNeitherCopiedNorCounted) {
  for (const char* broken : {"Broken-Empty.ttf", "Broken-Truncated.ttf", "Broken-NotAFont.ttf"})
    AddSource(broken);
  std::ofstream(source_ + "/page.ttf") << "<!DOCTYPE html><html><body>404</body></html>";
  std::vector<InstallEntry> entries = {{"Broken-Empty.ttf", true},
                                       {"Broken-Truncated.ttf", true},
                                       {"Broken-NotAFont.ttf", true},
                                       {"page.ttf", true},
                                       {"vanished.ttf", true}};
#ifndef _WIN32
  // Wine's font loader fails on some of them with an access violation and
  // then blocks every later font call of the process, which Windows does not.
  const std::string hostile = std::string(QM_TEST_FONTS_DIR) + "/hostile";
  for (const auto& file : fs::directory_iterator(hostile)) {
    if (!file.is_regular_file()) continue;
    fs::copy_file(file.path(), source_ + "/" + file.path().filename().string());
    entries.push_back({file.path().filename().string(), true});
  }
#endif
  const InstallPass pass = Run(entries);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(pass.Outcome(i), EntryOutcome::kNotAFont) << i;
  // Whatever the hostile files are, each one that was copied was loaded and counted.
  EXPECT_EQ(pass.Installed(), static_cast<int>(FontsFolderNames().size()));
}

TEST_F(InstallPassTest, WhatTheSystemDoesNotLoadIsRemovedAgain) {
  AddSource("QmLooped-Regular.ttf");
  AddSource("QmLooped-Light.ttf");
  resources_.refused = {InFonts("QmLooped-Light.ttf")};
  const InstallPass pass = Run({{"QmLooped-Regular.ttf", true}, {"QmLooped-Light.ttf", true}});
  EXPECT_EQ(pass.Installed(), 1);
  EXPECT_EQ(pass.Outcome(1), EntryOutcome::kAlreadyLoaded);
  EXPECT_EQ(FontsFolderNames(), std::vector<std::string>{"QmLooped-Regular.ttf"});
}

#ifndef _WIN32
// Symbolic links need a privilege on Windows that a test run does not have.
TEST_F(InstallPassTest, InPlaceModeLinksToTheFileWhereItLies) {
  AddSource("QmPair.ttc");
  const InstallPass pass = Run({{"QmPair.ttc", true}}, false);
  EXPECT_EQ(pass.Installed(), 1);
  ASSERT_TRUE(fs::is_symlink(fonts_ + "/QmPair.ttc"));
  EXPECT_EQ(fs::read_symlink(fonts_ + "/QmPair.ttc"), fs::path(source_ + "/QmPair.ttc"));
}
#endif

TEST_F(InstallPassTest, AStoppedRunLoadsOnlyTheEntriesItReached) {
  AddSource("QmLooped-Regular.ttf");
  AddSource("QmLooped-Bold.ttf");
  InstallPass pass({source_, fonts_, true},
                   {{"QmLooped-Regular.ttf", true}, {"QmLooped-Bold.ttf", true}}, resources_);
  EXPECT_EQ(pass.Step(), EntryOutcome::kPrepared);
  EXPECT_EQ(pass.Done(), 1u);
  EXPECT_EQ(pass.Finish(), std::vector<std::string>{InFonts("QmLooped-Regular.ttf")});
  EXPECT_EQ(FontsFolderNames(), std::vector<std::string>{"QmLooped-Regular.ttf"});
  EXPECT_EQ(InstallSummary(pass.Installed()), "安装完毕！成功安装：1 个字体。");
}

#ifndef _WIN32
// The limits of a process's file sizes and its user are POSIX's.

// A file system that fills up as the copy is written: the process may
// write files of at most limit bytes while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, SIG_DFL);
  }

 private:
  rlimit previous_{};
};

TEST_F(InstallPassTest, ACopyThatRunsOutOfSpaceLeavesNothingAndCountsNothing) {
  AddSource("QmLooped-Regular.ttf");
  AddSource("QmPair.ttc");
  std::vector<InstallEntry> entries = {{"QmLooped-Regular.ttf", true}, {"QmPair.ttc", true}};
  InstallPass pass({source_, fonts_, true}, entries, resources_);
  {
    const FileSizeLimit full(fs::file_size(source_ + "/QmLooped-Regular.ttf") + 1);
    EXPECT_EQ(pass.Step(), EntryOutcome::kPrepared);
    EXPECT_EQ(pass.Step(), EntryOutcome::kCopyFailed);  // the larger file does not fit
  }
  EXPECT_EQ(pass.Finish(), std::vector<std::string>{InFonts("QmLooped-Regular.ttf")});
  EXPECT_EQ(FontsFolderNames(), std::vector<std::string>{"QmLooped-Regular.ttf"});
}

class InstallPassAsUserTest : public InstallPassTest {};

TEST_F(InstallPassAsUserTest, AReadOnlyFontsFolderGetsNothingAndCountsNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  AddSource("QmLooped-Regular.ttf");
  fs::create_directories(fonts_);
  fs::permissions(fonts_, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  const InstallPass pass = Run({{"QmLooped-Regular.ttf", true}});
  fs::permissions(fonts_, fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_EQ(pass.Outcome(0), EntryOutcome::kCopyFailed);
  EXPECT_EQ(pass.Installed(), 0);
  EXPECT_TRUE(FontsFolderNames().empty());
}

#endif

}  // namespace
}  // namespace qm::install
