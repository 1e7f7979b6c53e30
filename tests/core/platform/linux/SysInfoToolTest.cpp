// SPDX-License-Identifier: GPL-3.0-or-later
// The registry view names the desktop's system information program under
// the key the about box reads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/platform/RegistryKeys.h"
#include "core/platform/linux/FontRegistryView.h"
#include "core/registry/RegistryProcedures.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

class SysInfoToolTest : public test::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    if (const char* path = std::getenv("PATH")) path_ = path;
  }
  void TearDown() override { setenv("PATH", path_.c_str(), 1); }

  std::string Tool(const std::string& folder, const std::string& name, bool runnable = true) {
    const std::string path = Write(folder + "/" + name, "#!/bin/sh\n");
    if (runnable) chmod(path.c_str(), 0755);
    return path;
  }
  void SetPath(const std::string& path) { setenv("PATH", path.c_str(), 1); }
  std::string Answer() {
    return registry::ReadRegistryString(view_, kHkeyLocalMachine, kSysInfoKey, "PATH");
  }

  std::string path_;
  FontRegistryView view_;
};

TEST_F(SysInfoToolTest, TheFirstProgramOfThePreferredOrderWhereverItIsOnThePath) {
  const std::string monitor = Tool("a", "gnome-system-monitor");
  const std::string kinfocenter = Tool("b", "kinfocenter");
  SetPath(folder_ + "/a:" + folder_ + "/b");
  EXPECT_EQ(Answer(), kinfocenter);
  const std::string hardinfo = Tool("b", "hardinfo");
  EXPECT_EQ(Answer(), hardinfo);
  std::filesystem::remove(hardinfo);
  std::filesystem::remove(kinfocenter);
  EXPECT_EQ(Answer(), monitor);
  // Any letter case of the key and value names reaches it, as on the real registry.
  EXPECT_EQ(registry::ReadRegistryString(view_, kHkeyLocalMachine,
                                         "software\\microsoft\\shared tools\\msinfo", "path"),
            monitor);
}

TEST_F(SysInfoToolTest, NothingWhereNoRunnableProgramIs) {
  Tool("a", "hardinfo", false);
  std::filesystem::create_directories(folder_ + "/a/kinfocenter");  // a folder of the name
  SetPath(folder_ + "/a");
  EXPECT_EQ(Answer(), "");
  // An empty entry of PATH would be the working folder: not looked in.
  Tool("work", "hardinfo");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_ + "/work");
  SetPath(":" + folder_ + "/a");
  EXPECT_EQ(Answer(), "");
  std::filesystem::current_path(before);
  SetPath("");
  EXPECT_EQ(Answer(), "");
  // Other values of the key, and the other key, say nothing.
  SetPath(folder_ + "/work");
  EXPECT_EQ(registry::ReadRegistryString(view_, kHkeyLocalMachine, kSysInfoKey, "MSINFO"), "");
  EXPECT_EQ(
      registry::ReadRegistryString(view_, kHkeyLocalMachine, kSharedToolsLocationKey, "MSINFO"),
      "");
}

}  // namespace
}  // namespace qm::platform
