// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "gui/mainwindow/DisplayCheck.h"

namespace qm::gui {
namespace {

TEST(DisplayCheckTest, WithoutAPluginAskedForEitherDisplayWill) {
  EXPECT_FALSE(DisplayReachable({"", "", ""}));
  EXPECT_TRUE(DisplayReachable({"", ":0", ""}));
  EXPECT_TRUE(DisplayReachable({"", "", "wayland-0"}));
}

TEST(DisplayCheckTest, APluginAskedForNeedsItsOwnDisplay) {
  EXPECT_FALSE(DisplayReachable({"xcb", "", "wayland-0"}));
  EXPECT_TRUE(DisplayReachable({"xcb", ":1", ""}));
  EXPECT_FALSE(DisplayReachable({"wayland", ":1", ""}));
  EXPECT_TRUE(DisplayReachable({"wayland-egl", "", "wayland-0"}));
  EXPECT_TRUE(DisplayReachable({"wayland;xcb", ":1", ""}));
  EXPECT_FALSE(DisplayReachable({"wayland;xcb", "", ""}));
  EXPECT_TRUE(DisplayReachable({"offscreen", "", ""}));
  EXPECT_TRUE(DisplayReachable({"xcb:nograb", ":0", ""}));
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
