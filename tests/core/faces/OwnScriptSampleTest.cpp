// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/faces/OwnScriptSample.h"

namespace qm::faces {
namespace {

using Range = std::pair<char32_t, char32_t>;  // first and last character

std::function<bool(char32_t)> Covering(std::vector<Range> ranges) {
  return [ranges = std::move(ranges)](char32_t c) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [c](const Range& range) { return c >= range.first && c <= range.second; });
  };
}

std::vector<char32_t> Characters(char32_t first, char32_t last) {
  std::vector<char32_t> characters;
  for (char32_t c = first; c <= last; ++c) characters.push_back(c);
  return characters;
}

// Whether every character of text but spaces lies in the range.
bool WrittenIn(const std::u32string& text, Range range) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [&](char32_t c) {
    return c == U' ' || (c >= range.first && c <= range.second);
  });
}

constexpr Range kArabic{0x0600, 0x06FF};
constexpr Range kCyrillic{0x0400, 0x04FF};
constexpr Range kGreek{0x0370, 0x03FF};
constexpr Range kMongolian{0x1800, 0x18AF};
constexpr Range kHan{0x4E00, 0x9FFF};
constexpr Range kKana{0x3040, 0x30FF};
constexpr Range kHangul{0xAC00, 0xD7AF};
constexpr Range kFullwidthForms{0xFF00, 0xFFEF};
constexpr Range kDingbats{0x2700, 0x27BF};

TEST(OwnScriptSampleTest, EachScriptAFaceCoversAloneHasAShortSampleInIt) {
  const std::vector<std::pair<const char*, Range>> scripts = {
      {"Arabic", kArabic},
      {"Hebrew", {0x0590, 0x05FF}},
      {"Devanagari", {0x0900, 0x097F}},
      {"Bengali", {0x0980, 0x09FF}},
      {"Gurmukhi", {0x0A00, 0x0A7F}},
      {"Gujarati", {0x0A80, 0x0AFF}},
      {"Oriya", {0x0B00, 0x0B7F}},
      {"Tamil", {0x0B80, 0x0BFF}},
      {"Telugu", {0x0C00, 0x0C7F}},
      {"Kannada", {0x0C80, 0x0CFF}},
      {"Malayalam", {0x0D00, 0x0D7F}},
      {"Sinhala", {0x0D80, 0x0DFF}},
      {"Thai", {0x0E00, 0x0E7F}},
      {"Lao", {0x0E80, 0x0EFF}},
      {"Tibetan", {0x0F00, 0x0FFF}},
      {"Myanmar", {0x1000, 0x109F}},
      {"Georgian", {0x10A0, 0x10FF}},
      {"Ethiopic", {0x1200, 0x137F}},
      {"Cherokee", {0x13A0, 0x13FF}},
      {"Canadian syllabics", {0x1400, 0x167F}},
      {"Khmer", {0x1780, 0x17FF}},
      {"Mongolian", kMongolian},
      {"Armenian", {0x0530, 0x058F}},
      {"Greek", kGreek},
      {"Cyrillic", kCyrillic},
      {"Thaana", {0x0780, 0x07BF}},
      {"Syriac", {0x0700, 0x074F}},
      {"N'Ko", {0x07C0, 0x07FF}},
      {"Tifinagh", {0x2D30, 0x2D7F}},
      {"Yi", {0xA000, 0xA48F}},
      {"Javanese", {0xA980, 0xA9DF}},
      {"Balinese", {0x1B00, 0x1B7F}},
      {"Hangul", kHangul},
      {"Kana", kKana},
  };
  for (const auto& [name, range] : scripts) {
    const std::u32string sample = OwnScriptSample(Covering({range}), {}, {});
    EXPECT_TRUE(WrittenIn(sample, range)) << name;
    EXPECT_GE(sample.size(), 4u) << name;
    EXPECT_LE(sample.size(), 10u) << name;
  }
}

TEST(OwnScriptSampleTest, TheFacesLanguagesChooseAmongTheScriptsItCovers) {
  const auto cjk = Covering({kHan, kKana, kHangul, kFullwidthForms, {0x3000, 0x303F}});
  const std::u32string chinese = OwnScriptSample(cjk, {"zh-cn"}, {});
  EXPECT_TRUE(WrittenIn(chinese, {0x3000, 0xFFEF}));
  EXPECT_NE(chinese.find(U'岁'), std::u32string::npos) << "simplified characters";
  EXPECT_NE(OwnScriptSample(cjk, {"zh-tw"}, {}).find(U'歲'), std::u32string::npos);
  EXPECT_TRUE(WrittenIn(OwnScriptSample(cjk, {"ja"}, {}), kKana));
  EXPECT_TRUE(WrittenIn(OwnScriptSample(cjk, {"en", "ko"}, {}), kHangul))
      << "a language naming no sample's script is passed over";
  EXPECT_TRUE(WrittenIn(OwnScriptSample(cjk, {"KO"}, {}), kHangul));

  // Mongolian in China is written in its own script, in Mongolia in Cyrillic.
  const auto mongolian = Covering({kCyrillic, kMongolian});
  EXPECT_TRUE(WrittenIn(OwnScriptSample(mongolian, {"mn-cn"}, {}), kMongolian));
  EXPECT_TRUE(WrittenIn(OwnScriptSample(mongolian, {"mn-mn"}, {}), kCyrillic));
  EXPECT_TRUE(WrittenIn(OwnScriptSample(Covering({kArabic}), {"ku-iq"}, {}), kArabic));
}

TEST(OwnScriptSampleTest, ALanguageWhoseSampleIsNotCoveredFallsBackToTheScriptsCovered) {
  // Greek named, but the face has only part of the Greek letters.
  const auto face = Covering({kArabic, {0x0391, 0x03A9}});
  EXPECT_TRUE(WrittenIn(OwnScriptSample(face, {"el"}, {}), kArabic));
  EXPECT_TRUE(WrittenIn(OwnScriptSample(Covering({kArabic}), {"fa"}, {}), kArabic));
}

TEST(OwnScriptSampleTest, FacesWithoutAScriptShowTheirFirstCharactersThatShow) {
  const auto symbols =
      Covering({{0x09, 0x09}, {0x20, 0x20}, {0xA0, 0xA0}, kDingbats, {0xFFFD, 0xFFFD}});
  std::vector<char32_t> first = {0x09, 0x20, 0xA0, 0xAD, 0x200B};
  const std::vector<char32_t> dingbats = Characters(0x2701, 0x2710);
  first.insert(first.end(), dingbats.begin(), dingbats.end());
  first.push_back(0xFFFD);
  const std::u32string shown = OwnScriptSample(symbols, {"en"}, first);
  EXPECT_EQ(shown, std::u32string(dingbats.begin(), dingbats.begin() + 10));

  // Private use characters only when nothing else shows.
  std::vector<char32_t> privateUse = Characters(0xE000, 0xE00F);
  const auto pua = Covering({{0xE000, 0xF8FF}, {0x20, 0x20}});
  EXPECT_EQ(OwnScriptSample(pua, {}, privateUse),
            std::u32string(privateUse.begin(), privateUse.begin() + 10));
  privateUse.push_back(0xF0000);
  privateUse.insert(privateUse.begin(), U'★');
  EXPECT_EQ(OwnScriptSample(pua, {}, privateUse), U"★");
}

TEST(OwnScriptSampleTest, AFaceThatShowsNothingHasNoSample) {
  const auto nothing = [](char32_t) { return false; };
  EXPECT_EQ(OwnScriptSample(nothing, {"zh-cn", "ar"}, {}), U"");
  const auto blanks = Covering({{0x00, 0x20}, {0x7F, 0xA0}, {0xFFFD, 0xFFFD}});
  EXPECT_EQ(OwnScriptSample(blanks, {}, {0x00, 0x0A, 0x20, 0x85, 0xA0, 0xFFFD}), U"");
}

TEST(OwnScriptSampleTest, CoversTextAsksForEveryCharacterButSpacesAndControls) {
  const auto latin = Covering({{0x21, 0x7E}});
  EXPECT_TRUE(CoversText(latin, U"Tom's Type"));
  EXPECT_TRUE(CoversText(latin, U"Sun\u00A0& Moon\t\n"));
  EXPECT_TRUE(CoversText(latin, U""));
  EXPECT_FALSE(CoversText(latin, U"Café"));
  EXPECT_FALSE(CoversText(latin, U"测试 Sans"));
  EXPECT_FALSE(CoversText(latin, U"Sans\u200B")) << "a format character is no space";
}

}  // namespace
}  // namespace qm::faces
