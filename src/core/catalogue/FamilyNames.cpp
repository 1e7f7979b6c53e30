// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/FamilyNames.h"

#include <cstdint>

namespace qm::catalogue {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNewlineSymbol = 0x2424;  // ␤
constexpr char32_t kEllipsis = 0x2026;

}  // namespace

DecodedChar DecodeUtf8At(std::string_view text, std::size_t at) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1Fu, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0Fu, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07u, smallest = 0x10000;
  } else {
    return {kReplacement, 1};
  }
  if (at + length > text.size()) return {kReplacement, 1};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {kReplacement, 1};
    value = (value << 6) | (next & 0x3Fu);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (value < smallest || surrogate || value > 0x10FFFF) return {kReplacement, 1};
  return {value, length};
}

namespace {

// What shows in place of a character that would break or hide the line.
char32_t Visible(char32_t c) {
  if (c < 0x20) return 0x2400 + c;  // ␀ … ␟
  if (c == 0x7F) return 0x2421;     // ␡
  if (c == 0x85 || c == 0x2028 || c == 0x2029) return kNewlineSymbol;
  if (c >= 0x80 && c < 0xA0) return kReplacement;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6)), byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12)), byte(0x80 | ((c >> 6) & 0x3F)), byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18)), byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F)), byte(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string ShownFamilyName(std::string_view realName) {
  std::string shown;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < realName.size();) {
    const DecodedChar decoded = DecodeUtf8At(realName, at);
    at += decoded.length;
    // The last place is kept for "…" unless the name ends there.
    if (characters + 1 == kShownNameLimit && at < realName.size()) {
      AppendUtf8(shown, kEllipsis);
      break;
    }
    AppendUtf8(shown, Visible(decoded.codePoint));
    ++characters;
  }
  return shown;
}

bool IsPlainText(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const DecodedChar decoded = DecodeUtf8At(text, at);
    if (decoded.codePoint == kReplacement || Visible(decoded.codePoint) != decoded.codePoint)
      return false;
    at += decoded.length;
  }
  return true;
}

}  // namespace qm::catalogue
