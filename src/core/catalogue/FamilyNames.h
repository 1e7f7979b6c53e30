// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a person is shown for a family name. Names come from font files and
// may hold anything: line breaks, control characters, bytes that are not
// UTF-8, thousands of characters. The shown name is always one line of
// valid UTF-8 of bounded length; the name's own bytes stay the key that
// selects its face and file.

#include <cstddef>
#include <string>
#include <string_view>

namespace qm::catalogue {

// Longest shown name, in characters (code points), the "…" included.
inline constexpr std::size_t kShownNameLimit = 256;

// realName with each invalid UTF-8 sequence as U+FFFD, C0 controls and DEL as
// their control pictures (LF as "␊"), line and paragraph separators and NEL
// as "␤", other C1 controls as U+FFFD, and cut to kShownNameLimit characters
// ending in "…" when longer.
std::string ShownFamilyName(std::string_view realName);

// One UTF-8 sequence at text[at] and its length in bytes; an invalid or
// truncated sequence, an overlong form, a surrogate or a value past
// U+10FFFF is U+FFFD of length 1.
struct DecodedChar {
  char32_t codePoint;
  std::size_t length;
};
DecodedChar DecodeUtf8At(std::string_view text, std::size_t at);

// True when text is valid UTF-8 that ShownFamilyName would show unchanged,
// whatever its length.
bool IsPlainText(std::string_view text);

}  // namespace qm::catalogue
