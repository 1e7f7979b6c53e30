// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/windows/WindowsCodePages.h"

#include <windows.h>

#include <algorithm>

namespace qm::platform {
namespace {

constexpr UINT kCodePage936 = 936;

// The byte ranges of a code page, single bytes and double-byte pairs.
struct ByteRanges {
  int lastSingle;
  int firstLead, lastLead;
  int firstTrail, lastTrail;
};

// GBK is code page 936 whole; GB2312 is the part of it in GB2312's own
// ranges (the system's table of its own, 20936, is missing from Wine).
bool RangesOf(const std::string& name, ByteRanges* ranges) {
  if (name == "GBK")
    *ranges = {0xFF, 0x81, 0xFE, 0x40, 0xFE};
  else if (name == "GB2312")
    *ranges = {0x7F, 0xA1, 0xF7, 0xA1, 0xFE};
  else
    return false;
  return true;
}

// The one character the bytes stand for whole; 0 when they are not one.
// The way back must give the same bytes: a byte sequence the code page
// leaves undefined converts to a stand-in that does not return.
char32_t CharacterOf(const std::string& bytes) {
  wchar_t wide[4] = {};
  const int units = MultiByteToWideChar(kCodePage936, MB_ERR_INVALID_CHARS, bytes.data(),
                                        static_cast<int>(bytes.size()), wide, 4);
  if (units != 1) return 0;
  char back[4] = {};
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, wide, 1, back,
                                         sizeof back, nullptr, &usedDefault);
  if (usedDefault || std::string(back, static_cast<std::size_t>(std::max(length, 0))) != bytes)
    return 0;
  return static_cast<char32_t>(wide[0]);
}

}  // namespace

std::vector<char32_t> CodePageCharacters(const std::string& codePage) {
  std::vector<char32_t> characters;
  ByteRanges ranges{};
  if (!RangesOf(codePage, &ranges) || !IsValidCodePage(kCodePage936)) return characters;
  for (int single = 1; single <= ranges.lastSingle; ++single)
    if (char32_t c = CharacterOf(std::string(1, static_cast<char>(single))))
      characters.push_back(c);
  for (int lead = ranges.firstLead; lead <= ranges.lastLead; ++lead)
    for (int trail = ranges.firstTrail; trail <= ranges.lastTrail; ++trail)
      if (char32_t c = CharacterOf({static_cast<char>(lead), static_cast<char>(trail)}))
        characters.push_back(c);
  std::sort(characters.begin(), characters.end());
  characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
  return characters;
}

}  // namespace qm::platform
