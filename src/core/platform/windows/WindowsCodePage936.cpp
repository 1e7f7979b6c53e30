// SPDX-License-Identifier: GPL-3.0-or-later
// Code page 936 through the system's own conversion tables. A character
// the code page lacks is found by the default-character flag, with
// best-fit mappings (a look-alike for a lacking character) turned off so
// that none passes for held.

#include <windows.h>

#include <algorithm>

#include "core/platform/CodePage936.h"

namespace qm::platform {
namespace {

constexpr UINT kCodePage936 = 936;

// The bytes of one UTF-16 character in code page 936; false when the code page lacks it.
bool EncodeOne(const wchar_t* character, int units, std::string& out) {
  char bytes[8] = {};
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, character, units,
                                         bytes, sizeof bytes, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  out.append(bytes, static_cast<std::size_t>(length));
  return true;
}

// How many bytes the UTF-8 sequence starting with lead takes.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

}  // namespace

std::size_t AppendCodePage936(std::string_view utf8, std::string& out) {
  std::size_t used = 0;
  while (used < utf8.size()) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(utf8[used])), utf8.size() - used);
    wchar_t wide[2] = {};
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + used,
                                          static_cast<int>(length), wide, 2);
    if (units <= 0 || !EncodeOne(wide, units, out)) break;
    used += length;
  }
  return used;
}

}  // namespace qm::platform
