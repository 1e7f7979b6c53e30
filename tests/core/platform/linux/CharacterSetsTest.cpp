// SPDX-License-Identifier: GPL-3.0-or-later
// The system's side of Chinese coverage and pinyin: fontconfig's character
// sets of the test faces, the code pages through iconv, ICU's readings and
// the names of a family in each language.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/coverage/ChineseCoverage.h"
#include "core/pinyin/PinyinSearch.h"
#include "core/platform/linux/CodePages.h"
#include "core/platform/linux/LinuxPlatform.h"
#include "support/TestEnvironment.h"

namespace qm::platform {
namespace {

using test::TestEnvironment;

// The test fonts with Quillmere Kai besides: 94 GB2312 characters, 丂 of
// GBK, two of extension A and one of extension B.
class CharacterSetsTest : public testing::Test {
 protected:
  CharacterSetsTest() : conf_(TestEnvironment::Current().SourceFont("coverage"), "") {}

  test::ScopedFontsConf conf_;
  LinuxPlatform platform_{"zh_CN.UTF-8"};
};

TEST_F(CharacterSetsTest, AFamilyHasTheCharactersItsFontDeclaresUnderEachOfItsNames) {
  const CodePointSet& kai = platform_.CharactersOf("Quillmere Kai");
  EXPECT_TRUE(kai.Has(U'啊'));
  EXPECT_TRUE(kai.Has(U'剥'));
  EXPECT_TRUE(kai.Has(0x20000));
  EXPECT_TRUE(kai.Has(U'A'));
  EXPECT_FALSE(kai.Has(U'宋'));
  EXPECT_EQ(kai.CountInRange(0x4E00, 0x9FFF), 95u);
  EXPECT_EQ(platform_.CharactersOf("测试楷体").CountInRange(0x3400, 0x4DBF), 2u);
  EXPECT_TRUE(platform_.CharactersOf("No Such Family").IsEmpty());
}

TEST_F(CharacterSetsTest, CoverageOfTheTestFaceCountsItsKnownCharacters) {
  const std::vector<coverage::Standard> standards = coverage::ChineseStandards(
      platform_.CodePageCharacters("GB2312"), platform_.CodePageCharacters("GBK"));
  const auto coverage = coverage::CoverageOf(platform_.CharactersOf("测试楷体"), standards);
  ASSERT_EQ(coverage.size(), 10u);
  EXPECT_EQ(coverage[0].name, "GB2312");
  EXPECT_EQ(coverage[0].covered, 94u);
  EXPECT_EQ(coverage[0].total, 6763u);
  EXPECT_EQ(coverage[1].name, "GBK");
  EXPECT_EQ(coverage[1].covered, 95u);
  EXPECT_EQ(coverage[3].covered, 2u);  // extension A
  EXPECT_EQ(coverage[4].covered, 1u);  // extension B
  const auto missing = coverage::MissingFrom(platform_.CharactersOf("测试楷体"), standards[0]);
  EXPECT_EQ(missing.size(), 6763u - 94u);
  EXPECT_FALSE(std::binary_search(missing.begin(), missing.end(), U'啊'));
}

TEST(CodePagesTest, ListsTheCharactersOfTheChineseCodePages) {
  const std::vector<char32_t> gb2312 = CodePageCharacters("GB2312");
  const std::vector<char32_t> gbk = CodePageCharacters("GBK");
  EXPECT_EQ(coverage::HanOfCodePage("GB2312", gb2312).Size(), 6763u);
  EXPECT_TRUE(std::binary_search(gbk.begin(), gbk.end(), U'丂'));
  EXPECT_FALSE(std::binary_search(gb2312.begin(), gb2312.end(), U'丂'));
  EXPECT_TRUE(std::binary_search(gb2312.begin(), gb2312.end(), U'A'));
  EXPECT_GT(coverage::HanOfCodePage("GBK", gbk).Size(), 20000u);
  EXPECT_TRUE(CodePageCharacters("NO-SUCH-CODE-PAGE").empty());
}

TEST(HanReadingsTest, GivesTonelessPinyinOfHanCharactersOnly) {
  const std::unique_ptr<HanReadings> readings = CreateHanReadings();
  EXPECT_EQ(readings->Reading(U'文'), "wen");
  EXPECT_EQ(readings->Reading(U'绿'), "lu");
  EXPECT_EQ(readings->Reading(U'A'), "");
  EXPECT_EQ(readings->Reading(U'あ'), "");
  const pinyin::PinyinKey key = pinyin::KeyOf("文泉驿微米黑", *readings);
  EXPECT_EQ(key.letters, "wenquanyiweimihei");
  EXPECT_EQ(key.initials, "wqywmh");
}

TEST_F(CharacterSetsTest, AFamilyKnowsItsNamesInOtherLanguagesAndItsStyles) {
  const std::vector<InstalledFamily> families = platform_.InstalledFamilies();
  const auto kai = std::find_if(families.begin(), families.end(),
                                [](const InstalledFamily& f) { return f.name == "测试楷体"; });
  ASSERT_NE(kai, families.end());
  EXPECT_EQ(kai->otherNames, (std::vector<std::string>{"Quillmere Kai"}));
  EXPECT_EQ(kai->styles, (std::vector<std::string>{"Regular"}));
  const auto sans = std::find_if(families.begin(), families.end(), [](const InstalledFamily& f) {
    return f.name == "Quillmere Test Sans";
  });
  ASSERT_NE(sans, families.end());
  EXPECT_TRUE(sans->otherNames.empty());
  EXPECT_NE(std::find(sans->styles.begin(), sans->styles.end(), "Bold"), sans->styles.end());
}

}  // namespace
}  // namespace qm::platform
