// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coverage/ChineseCoverage.h"

#include <algorithm>

namespace qm::coverage {
namespace {

constexpr CharRange kBasicBlock{0x4E00, 0x9FFF};
constexpr CharRange kExtensionA{0x3400, 0x4DBF};
constexpr CharRange kCompatibility{0xF900, 0xFAFF};

bool IsIn(char32_t c, CharRange range) { return c >= range.first && c <= range.last; }

// The code pages also map the few Han characters of the compatibility block.
bool IsHan(char32_t c) {
  return IsIn(c, kBasicBlock) || IsIn(c, kExtensionA) || IsIn(c, kCompatibility);
}

std::vector<CharRange> RunsOf(const std::vector<char32_t>& sorted) {
  std::vector<CharRange> runs;
  for (char32_t c : sorted) {
    if (!runs.empty() && runs.back().last + 1 == c)
      runs.back().last = c;
    else
      runs.push_back({c, c});
  }
  return runs;
}

}  // namespace

std::size_t Standard::Size() const {
  std::size_t size = 0;
  for (const CharRange& range : ranges) size += range.last - range.first + 1;
  return size;
}

Standard HanOfCodePage(std::string name, std::vector<char32_t> characters) {
  std::erase_if(characters, [](char32_t c) { return !IsHan(c); });
  std::sort(characters.begin(), characters.end());
  characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
  return {std::move(name), RunsOf(characters)};
}

std::vector<Standard> UnifiedIdeographBlocks() {
  return {
      {"基本区", {kBasicBlock}},       {"扩展A", {kExtensionA}},
      {"扩展B", {{0x20000, 0x2A6DF}}}, {"扩展C", {{0x2A700, 0x2B739}}},
      {"扩展D", {{0x2B740, 0x2B81D}}}, {"扩展E", {{0x2B820, 0x2CEA1}}},
      {"扩展F", {{0x2CEB0, 0x2EBE0}}}, {"扩展G", {{0x30000, 0x3134A}}},
  };
}

std::vector<Standard> ChineseStandards(const std::vector<char32_t>& gb2312,
                                       const std::vector<char32_t>& gbk) {
  std::vector<Standard> standards;
  for (Standard codePage : {HanOfCodePage("GB2312", gb2312), HanOfCodePage("GBK", gbk)})
    if (!codePage.ranges.empty()) standards.push_back(std::move(codePage));
  for (Standard& block : UnifiedIdeographBlocks()) standards.push_back(std::move(block));
  return standards;
}

std::vector<StandardCoverage> CoverageOf(const platform::CodePointSet& font,
                                         const std::vector<Standard>& standards) {
  std::vector<StandardCoverage> coverage;
  for (const Standard& standard : standards) {
    StandardCoverage counted{standard.name, 0, standard.Size()};
    for (const CharRange& range : standard.ranges)
      counted.covered += font.CountInRange(range.first, range.last);
    coverage.push_back(std::move(counted));
  }
  return coverage;
}

std::vector<char32_t> MissingFrom(const platform::CodePointSet& font, const Standard& standard) {
  std::vector<char32_t> missing;
  for (const CharRange& range : standard.ranges)
    for (char32_t c = range.first; c <= range.last; ++c)
      if (!font.Has(c)) missing.push_back(c);
  return missing;
}

bool NeedsGlyph(char32_t c) {
  return c > 0x20 && (c < 0x7F || c >= 0xA0) && c != 0x2028 && c != 0x2029;
}

std::vector<char32_t> CharactersToDraw(std::u32string_view text) {
  std::vector<char32_t> characters(text.begin(), text.end());
  std::erase_if(characters, [](char32_t c) { return !NeedsGlyph(c); });
  std::sort(characters.begin(), characters.end());
  characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
  return characters;
}

bool DrawsAll(const platform::CodePointSet& font, const std::vector<char32_t>& characters) {
  return std::all_of(characters.begin(), characters.end(), [&](char32_t c) { return font.Has(c); });
}

}  // namespace qm::coverage
