// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>

#include "core/pinyin/PinyinSearch.h"

namespace qm::pinyin {
namespace {

// Readings the test chooses, and how often each character was asked for.
class TableReadings : public platform::HanReadings {
 public:
  std::string Reading(char32_t c) override {
    ++asked[c];
    const auto found = table.find(c);
    return found == table.end() ? std::string() : found->second;
  }
  std::map<char32_t, std::string> table = {{U'文', "wen"}, {U'泉', "quan"}, {U'驿', "yi"},
                                           {U'楷', "kai"}, {U'体', "ti"},   {U'宋', "song"},
                                           {U'西', "xi"},  {U'安', "an"}};
  std::map<char32_t, int> asked;
};

TEST(PinyinKeyTest, SpellsHanCharactersByReadingAndKeepsTheRestInLowerCase) {
  TableReadings readings;
  const PinyinKey key = KeyOf("文泉驿 Zen_GB", readings);
  EXPECT_EQ(key.letters, "wenquanyizen_gb");
  EXPECT_EQ(key.initials, "wqyzen_gb");
  // Latin letters are never looked up: only characters past ASCII are.
  EXPECT_EQ(readings.asked.count(U'Z'), 0u);
}

TEST(PinyinKeyTest, ANameWithoutHanCharactersHasNoKey) {
  TableReadings readings;
  EXPECT_TRUE(KeyOf("Arial Unicode", readings).letters.empty());
  EXPECT_TRUE(KeyOf("Ærø Sans", readings).initials.empty());
  EXPECT_TRUE(KeyOf("", readings).letters.empty());
}

TEST(NameQueryTest, MatchesNamesWithoutRegardToCaseAndKeysWithoutSeparators) {
  TableReadings readings;
  const PinyinKey xian = KeyOf("西安", readings);
  EXPECT_TRUE(NameQuery("Xi'an").MatchesKey(xian));
  EXPECT_TRUE(NameQuery("XI AN").MatchesKey(xian));
  EXPECT_TRUE(NameQuery("xa").MatchesKey(xian));
  EXPECT_FALSE(NameQuery("xian1").MatchesKey(xian));
  EXPECT_TRUE(NameQuery("SONG").MatchesName("Songti SC"));
  EXPECT_FALSE(NameQuery("songti sc").MatchesName("Songti"));
  // A name without Han characters is matched by name only.
  EXPECT_FALSE(NameQuery("a").MatchesKey(KeyOf("Arial", readings)));
}

class FamilySearchTest : public testing::Test {
 protected:
  void SetUp() override {
    search_.Add({"文泉驿微米黑", "WenQuanYi Micro Hei"}, readings_);
    search_.Add({"楷体"}, readings_);
    search_.Add({"Songti SC", "宋体-简"}, readings_);
    search_.Add({"Arial"}, readings_);
  }

  std::vector<std::size_t> Found(const std::string& typed) const {
    std::vector<std::size_t> found;
    const NameQuery query(typed);
    for (std::size_t entry = 0; entry < search_.Size(); ++entry)
      if (search_.Matches(entry, query)) found.push_back(entry);
    return found;
  }

  TableReadings readings_;
  FamilySearch search_;
};

TEST_F(FamilySearchTest, FindsFamiliesByAnyNameWholePinyinOrInitials) {
  EXPECT_EQ(Found("wqy"), (std::vector<std::size_t>{0}));
  EXPECT_EQ(Found("wenquanyi"), (std::vector<std::size_t>{0}));
  EXPECT_EQ(Found("micro"), (std::vector<std::size_t>{0}));
  EXPECT_EQ(Found("kt"), (std::vector<std::size_t>{1}));
  EXPECT_EQ(Found("KaiTi"), (std::vector<std::size_t>{1}));
  EXPECT_EQ(Found("宋体"), (std::vector<std::size_t>{2}));
  EXPECT_EQ(Found("song"), (std::vector<std::size_t>{2}));
  EXPECT_EQ(Found("ARIAL"), (std::vector<std::size_t>{3}));
  EXPECT_TRUE(Found("xyz").empty());
}

// Faces whose names carry no Chinese name are found by the class of face
// their names say: "song" finds the Ming and Serif CJK faces.
TEST(ChineseClassTest, NamesSayTheClassOfFaceInEitherScript) {
  using Classes = std::vector<std::string>;
  EXPECT_EQ(ChineseClassesOf({"Noto Serif CJK SC"}), Classes{"song"});
  EXPECT_EQ(ChineseClassesOf({"AR PL UMing CN"}), Classes{"song"});
  EXPECT_EQ(ChineseClassesOf({"AR PL UKai TW"}), Classes{"kai"});
  EXPECT_EQ(ChineseClassesOf({"Noto Sans CJK SC", "思源黑体"}), Classes{"hei"});
  EXPECT_EQ(ChineseClassesOf({"WenQuanYi Zen Hei"}), Classes{"hei"});
  EXPECT_EQ(ChineseClassesOf({"FangSong", "仿宋"}), (Classes{"song", "fangsong"}));
  EXPECT_EQ(ChineseClassesOf({"Heiti SC"}), Classes{"hei"});
  EXPECT_EQ(ChineseClassesOf({"方正粗圆"}), Classes{"yuan"});
  // Words that only hold the letters say nothing.
  EXPECT_TRUE(ChineseClassesOf({"Noto Sans Kaithi"}).empty());
  EXPECT_TRUE(ChineseClassesOf({"Noto Sans", "DejaVu Serif", "Sheila"}).empty());
  EXPECT_TRUE(ChineseClassesOf({"Mingzat", "Theia"}).empty());
}

TEST_F(FamilySearchTest, ClassesFindFacesWithoutAChineseName) {
  search_.Clear();
  search_.Add({"AR PL UMing CN"}, readings_);
  search_.Add({"Noto Sans CJK SC"}, readings_);
  search_.Add({"Noto Serif CJK SC"}, readings_);
  search_.Add({"Noto Sans Kaithi"}, readings_);
  EXPECT_EQ(Found("song"), (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(Found("HEI"), (std::vector<std::size_t>{1}));
  EXPECT_EQ(Found("kai"), (std::vector<std::size_t>{3}));  // Kaithi by its own name alone
}

TEST_F(FamilySearchTest, TheEmptyTextFindsEveryFamily) {
  EXPECT_EQ(Found(""), (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST_F(FamilySearchTest, ClearingForgetsEveryFamily) {
  search_.Clear();
  EXPECT_EQ(search_.Size(), 0u);
  search_.Add({"楷体"}, readings_);
  EXPECT_EQ(Found("kt"), (std::vector<std::size_t>{0}));
}

}  // namespace
}  // namespace qm::pinyin
