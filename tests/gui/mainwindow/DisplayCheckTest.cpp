// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "gui/mainwindow/DisplayCheck.h"
#include "support/TestEnvironment.h"

namespace qm::gui {
namespace {

// X servers answer at :0 and :1, a compositor at wayland-0; nothing else does.
const DisplayOpeners kSomeDisplays{
    [](const std::string& name) { return name == ":0" || name == ":1"; },
    [](const std::string& name) { return name == "wayland-0"; }};

TEST(DisplayCheckTest, WithoutAPluginAskedForEitherDisplayWill) {
  EXPECT_FALSE(DisplayReachable({"", "", ""}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"", ":0", ""}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"", "", "wayland-0"}, kSomeDisplays));
  // Set, but nobody answers there: the toolkit would abort.
  EXPECT_FALSE(DisplayReachable({"", ":987", ""}, kSomeDisplays));
  EXPECT_FALSE(DisplayReachable({"", ":987", "wayland-9"}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"", ":987", "wayland-0"}, kSomeDisplays));
}

TEST(DisplayCheckTest, APluginAskedForNeedsItsOwnDisplay) {
  EXPECT_FALSE(DisplayReachable({"xcb", "", "wayland-0"}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"xcb", ":1", ""}, kSomeDisplays));
  EXPECT_FALSE(DisplayReachable({"xcb", ":987", ""}, kSomeDisplays));
  EXPECT_FALSE(DisplayReachable({"wayland", ":1", ""}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"wayland-egl", "", "wayland-0"}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"wayland;xcb", ":1", ""}, kSomeDisplays));
  EXPECT_FALSE(DisplayReachable({"wayland;xcb", "", ""}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"offscreen", "", ""}, kSomeDisplays));
  EXPECT_TRUE(DisplayReachable({"xcb:nograb", ":0", ""}, kSomeDisplays));
}

// The system's own openers connect: a compositor's socket that listens
// answers, a path where none listens does not, nor an X display no server
// has.
TEST(DisplayCheckTest, TheSystemsOpenersConnectToTheDisplay) {
  const DisplayOpeners system = SystemDisplayOpeners();
  const std::string folder = test::TestEnvironment::Current().FolderForCurrentTest("run");
  const std::string path = folder + "/wayland-test";
  const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listening, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, path.size());
  ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(listen(listening, 1), 0);
  EXPECT_TRUE(system.wayland(path));
  EXPECT_FALSE(system.wayland(folder + "/wayland-none"));
  close(listening);
  EXPECT_FALSE(system.x11(":987"));
}

TEST(DisplayCheckTest, TheCommandLineChoiceOverridesTheEnvironment) {
  char program[] = "quillmere";
  char option[] = "-platform";
  char plugin[] = "offscreen";
  char* argv[] = {program, option, plugin};
  EXPECT_EQ(CurrentDisplaySetting(3, argv).platforms, "offscreen");
}

}  // namespace
}  // namespace qm::gui
