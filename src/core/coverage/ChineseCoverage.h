// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much of each Chinese character standard a font covers: the Han
// characters of the GB2312 and GBK code pages, and the blocks of Unified
// Ideographs that GB18030 takes in. Counted on the character set the font
// declares, never glyph by glyph.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/CodePointSet.h"

namespace qm::coverage {

struct CharRange {
  char32_t first;
  char32_t last;
};

struct Standard {
  std::string name;               // as shown: "GB2312", "扩展B"
  std::vector<CharRange> ranges;  // ascending, apart
  std::size_t Size() const;
};

// The Han characters of a code page, given every character it encodes.
Standard HanOfCodePage(std::string name, std::vector<char32_t> characters);

// The blocks of Unified Ideographs in Unicode order of their making: the
// basic block, then extensions A to G.
std::vector<Standard> UnifiedIdeographBlocks();

// The code pages' Han characters (when the system could list them; a code
// page given empty is left out), then the blocks.
std::vector<Standard> ChineseStandards(const std::vector<char32_t>& gb2312,
                                       const std::vector<char32_t>& gbk);

struct StandardCoverage {
  std::string name;
  std::size_t covered = 0;
  std::size_t total = 0;
};

std::vector<StandardCoverage> CoverageOf(const platform::CodePointSet& font,
                                         const std::vector<Standard>& standards);
// The characters of standard that font lacks, ascending.
std::vector<char32_t> MissingFrom(const platform::CodePointSet& font, const Standard& standard);

// Line breaks, tabs, spaces and other controls need no glyph of their own.
bool NeedsGlyph(char32_t c);
// The characters of text a font must have to draw it, ascending, each once.
std::vector<char32_t> CharactersToDraw(std::u32string_view text);
bool DrawsAll(const platform::CodePointSet& font, const std::vector<char32_t>& characters);

}  // namespace qm::coverage
