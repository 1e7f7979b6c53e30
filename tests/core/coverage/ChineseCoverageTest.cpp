// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/coverage/ChineseCoverage.h"

namespace qm::coverage {
namespace {

using platform::CodePointSet;

CodePointSet SetOf(std::u32string_view characters) {
  CodePointSet set;
  for (char32_t c : characters) set.Add(c);
  return set;
}

TEST(CodePointSetTest, HoldsWhatWasAddedPageByPageOrOneByOne) {
  CodePointSet set;
  CodePointSet::PageBits bits{};
  bits[0] = 0b1011;    // U+4E00, U+4E01, U+4E03
  bits[7] = 1u << 31;  // U+4EFF
  set.AddPage(0x4E00, bits);
  set.Add(0x20000);
  set.Add(0x41);
  EXPECT_TRUE(set.Has(0x4E00));
  EXPECT_FALSE(set.Has(0x4E02));
  EXPECT_TRUE(set.Has(0x4EFF));
  EXPECT_TRUE(set.Has(0x20000));
  EXPECT_TRUE(set.Has(0x41));
  EXPECT_FALSE(set.Has(0x4F00));
  EXPECT_EQ(set.CountInRange(0, 0x10FFFF), 6u);
  // Ranges that cut pages count only their own part of them.
  EXPECT_EQ(set.CountInRange(0x4E01, 0x4E03), 2u);
  EXPECT_EQ(set.CountInRange(0x4E04, 0x4EFE), 0u);
  EXPECT_EQ(set.CountInRange(0x4EFF, 0x20000), 2u);
  EXPECT_TRUE(CodePointSet().IsEmpty());
}

TEST(ChineseCoverageTest, ACodePageCountsOnlyItsHanCharactersEachOnce) {
  const Standard standard =
      HanOfCodePage("GB2312", {U'啊', 0x41, U'阿', U'啊', 0x3000, 0xF92C, U'丂'});
  EXPECT_EQ(standard.Size(), 4u);  // 啊 阿 丂 and the compatibility ideograph
  EXPECT_EQ(standard.name, "GB2312");
}

TEST(ChineseCoverageTest, CountsAndListsWhatAFontHasOfEachStandard) {
  const std::vector<Standard> standards = ChineseStandards({U'啊', U'阿', U'埃'}, {});
  ASSERT_EQ(standards.size(), 9u);  // GBK could not be listed, so it is left out
  EXPECT_EQ(standards[0].name, "GB2312");
  EXPECT_EQ(standards[1].name, "基本区");
  EXPECT_EQ(standards[8].name, "扩展G");

  const CodePointSet font = SetOf(U"啊埃\u3400\U00020000\U0002A6DF\u4E00A");
  const std::vector<StandardCoverage> coverage = CoverageOf(font, standards);
  EXPECT_EQ(coverage[0].covered, 2u);
  EXPECT_EQ(coverage[0].total, 3u);
  EXPECT_EQ(coverage[1].covered, 3u);  // 啊, 埃 and U+4E00
  EXPECT_EQ(coverage[1].total, 20992u);
  EXPECT_EQ(coverage[2].covered, 1u);
  EXPECT_EQ(coverage[2].total, 6592u);
  EXPECT_EQ(coverage[3].covered, 2u);  // both ends of extension B
  EXPECT_EQ(coverage[3].total, 42720u);
  EXPECT_EQ(coverage[8].covered, 0u);

  EXPECT_EQ(MissingFrom(font, standards[0]), (std::vector<char32_t>{U'阿'}));
  EXPECT_EQ(MissingFrom(font, standards[2]).size(), 6591u);
}

TEST(ChineseCoverageTest, TextNeedsEachVisibleCharacterOnce) {
  const std::vector<char32_t> needed = CharactersToDraw(U"宋 体\r\n\t宋A\u2029");
  EXPECT_EQ(needed, (std::vector<char32_t>{U'A', U'体', U'宋'}));
  EXPECT_TRUE(DrawsAll(SetOf(U"A宋体"), needed));
  EXPECT_FALSE(DrawsAll(SetOf(U"A宋"), needed));
  EXPECT_TRUE(DrawsAll(CodePointSet(), CharactersToDraw(U" \n")));
}

}  // namespace
}  // namespace qm::coverage
