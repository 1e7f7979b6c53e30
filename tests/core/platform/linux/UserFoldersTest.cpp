// SPDX-License-Identifier: GPL-3.0-or-later
// Where the user's fonts folder is, under the XDG rules, and where it may be made.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/platform/linux/LinuxPlatform.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

// Sets (or with nullopt unsets) one variable until the end of the scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string PasswdHome() { return getpwuid(getuid())->pw_dir; }

class UserFoldersTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = test::TestEnvironment::Current().FolderForCurrentTest("user-folders");
    previous_ = fs::current_path();
    fs::current_path(root_);  // anything made relative to it would show here
  }
  void TearDown() override { fs::current_path(previous_); }
  bool RootIsEmpty() const { return fs::is_empty(root_); }

  std::string root_;
  fs::path previous_;
};

TEST_F(UserFoldersTest, ARelativeDataHomeIsIgnoredAndNothingIsMadeInTheWorkingFolder) {
  const std::string home = root_ + "/home";
  ScopedVariable homeVariable("HOME", home);
  ScopedVariable data("XDG_DATA_HOME", "relative/data");
  EXPECT_EQ(UserFontsFolder(), home + "/.local/share/fonts");
  MakeUserFontsFolder();  // the home does not exist: nothing is made
  EXPECT_TRUE(RootIsEmpty());

  fs::create_directory(home);
  MakeUserFontsFolder();
  EXPECT_TRUE(fs::is_directory(home + "/.local/share/fonts"));
  EXPECT_FALSE(fs::exists(root_ + "/relative"));
}

TEST_F(UserFoldersTest, AnUnsetOrRelativeHomeIsTakenFromThePasswordDatabase) {
  ScopedVariable data("XDG_DATA_HOME", std::nullopt);
  for (const std::optional<std::string>& value : {std::optional<std::string>(), {"relative"}}) {
    ScopedVariable homeVariable("HOME", value);
    EXPECT_EQ(HomeFolder(), PasswdHome());
    EXPECT_EQ(UserFontsFolder(), PasswdHome() + "/.local/share/fonts");
  }
}

TEST_F(UserFoldersTest, ADataHomeOutsideTheHomeGetsOnlyItsFontsFolder) {
  ScopedVariable homeVariable("HOME", root_ + "/home");
  fs::create_directory(root_ + "/home");
  ScopedVariable data("XDG_DATA_HOME", root_ + "/elsewhere/data");
  MakeUserFontsFolder();
  EXPECT_FALSE(fs::exists(root_ + "/elsewhere"));

  fs::create_directories(root_ + "/elsewhere/data");
  MakeUserFontsFolder();
  EXPECT_TRUE(fs::is_directory(root_ + "/elsewhere/data/fonts"));
}

TEST_F(UserFoldersTest, RelativeVariablesLeaveTheEnvironmentAndHomeComesFromThePasswordDatabase) {
  ScopedVariable cache("XDG_CACHE_HOME", "relative/cache");
  ScopedVariable config("XDG_CONFIG_HOME", root_ + "/config");
  ScopedVariable homeVariable("HOME", "relative-home");
  NormaliseUserFolderVariables();
  EXPECT_EQ(std::getenv("XDG_CACHE_HOME"), nullptr);
  EXPECT_EQ(std::string(std::getenv("XDG_CONFIG_HOME")), root_ + "/config");
  EXPECT_EQ(std::string(std::getenv("HOME")), PasswdHome());
}

}  // namespace
}  // namespace qm::platform
