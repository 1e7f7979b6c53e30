// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored sample size is decimal text that must become a 16-bit integer.

#include <cstdint>
#include <string>

namespace qm::system {

inline constexpr const char* kSettingsSection = "设置";
inline constexpr const char* kFontSizeKey = "字体大小";
inline constexpr const char* kDefaultFontSize = "30";
inline constexpr std::int16_t kDefaultSampleFontSize = 30;

struct FontSizeReading {
  bool ok = false;
  std::int16_t value = 0;
  std::string error;  // why the text is not a size, in the user's language
};

// The sizes a box or a page is given: 1 to 1638 points (1638 points is the
// most whose twips fit 16 bits); any other becomes the default.
inline constexpr int kMaxUsableFontSize = 1638;
inline int UsableFontSize(int size) {
  return size >= 1 && size <= kMaxUsableFontSize ? size : kDefaultSampleFontSize;
}

// Spaces around the number are allowed and a fraction rounds to the nearest
// integer, halves to even; text that is no number, or a number outside the
// 16-bit range, is an error.
FontSizeReading ParseSampleFontSize(const std::string& text);

}  // namespace qm::system
