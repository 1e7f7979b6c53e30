// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/catalogue/StyleNames.h"

namespace qm::catalogue {
namespace {

TEST(StyleNamesTest, CommonStylesAreShownInChineseOthersAsTheyAre) {
  EXPECT_EQ(ChineseStyleName("Regular"), "常规");
  EXPECT_EQ(ChineseStyleName("Book"), "常规");
  EXPECT_EQ(ChineseStyleName("Bold Italic"), "粗斜体");
  EXPECT_EQ(ChineseStyleName("BOLD-oblique"), "粗斜体");
  EXPECT_EQ(ChineseStyleName("Light"), "细体");
  EXPECT_EQ(ChineseStyleName("ExtraLight Italic"), "特细 斜体");
  EXPECT_EQ(ChineseStyleName("SemiBold_Condensed"), "半粗 窄体");
  EXPECT_EQ(ChineseStyleName("Medium"), "中等");
  // A name with a word not known, or the font's own Chinese name, stays.
  EXPECT_EQ(ChineseStyleName("Bold Swash"), "Bold Swash");
  EXPECT_EQ(ChineseStyleName("W3"), "W3");
  EXPECT_EQ(ChineseStyleName("粗体"), "粗体");
  EXPECT_EQ(ChineseStyleName(""), "");
  EXPECT_EQ(ChineseStyleName(" - "), " - ");
}

}  // namespace
}  // namespace qm::catalogue
