// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/catalogue/FamilyNames.h"

namespace qm::catalogue {
namespace {

std::size_t CodePoints(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

TEST(ShownFamilyNameTest, OrdinaryNamesAreShownAsTheyAre) {
  for (const char* name : {"DejaVu Sans", "宋体", "Pct %1 %2 %n", "😀 Emoji", "A\u0301"})
    EXPECT_EQ(ShownFamilyName(name), name);
}

TEST(ShownFamilyNameTest, LineBreaksAndControlsBecomeVisibleOnOneLine) {
  EXPECT_EQ(ShownFamilyName("Two\nLines"), "Two␊Lines");
  EXPECT_EQ(ShownFamilyName("Two\rLines"), "Two␍Lines");
  EXPECT_EQ(ShownFamilyName("Two\r\nLines"), "Two␍␊Lines");
  EXPECT_EQ(ShownFamilyName(std::string("Nul\0Tab\tDel\x7f", 12)), "Nul␀Tab␉Del␡");
  EXPECT_EQ(ShownFamilyName("A\u2028B\u2029C\u0085D"), "A␤B␤C␤D");
  EXPECT_EQ(ShownFamilyName("C1\u009b"), "C1\uFFFD");
}

TEST(ShownFamilyNameTest, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(ShownFamilyName("Bad\xff\xfe"), "Bad\uFFFD\uFFFD");
  EXPECT_EQ(ShownFamilyName("Cut\xe5\xae"), "Cut\uFFFD\uFFFD");              // truncated 宋
  EXPECT_EQ(ShownFamilyName("Long\xc0\xaf"), "Long\uFFFD\uFFFD");            // overlong "/"
  EXPECT_EQ(ShownFamilyName("Half\xed\xa0\x80"), "Half\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(ShownFamilyName("Big\xf4\x90\x80\x80"), "Big\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(ShownFamilyNameTest, LongNamesAreCutWithAnEllipsis) {
  const std::string limit(kShownNameLimit, 'x');
  EXPECT_EQ(ShownFamilyName(limit), limit);

  const std::string shown = ShownFamilyName(std::string(10000, 'y'));
  EXPECT_EQ(CodePoints(shown), kShownNameLimit);
  EXPECT_EQ(shown, std::string(kShownNameLimit - 1, 'y') + "…");

  std::string chinese;
  for (std::size_t i = 0; i < 300; ++i) chinese += "字";
  EXPECT_EQ(CodePoints(ShownFamilyName(chinese)), kShownNameLimit);
}

TEST(IsPlainTextTest, OnlyValidTextWithoutControlsIsPlain) {
  EXPECT_TRUE(IsPlainText(std::string(5000, 'x') + "/字体.ttf"));
  EXPECT_FALSE(IsPlainText("a\nb"));
  EXPECT_FALSE(IsPlainText("bad\xff"));
  EXPECT_FALSE(IsPlainText("\uFFFD"));  // already a replacement: not told apart from one
}

}  // namespace
}  // namespace qm::catalogue
