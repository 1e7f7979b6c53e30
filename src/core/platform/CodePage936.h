// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Code page 936, the encoding of the program's web pages: which characters
// it holds and their bytes. Each system's backend implements it.

#include <cstddef>
#include <string>
#include <string_view>

namespace qm::platform {

// Appends to out the code page 936 bytes of the longest leading run of utf8
// (valid UTF-8 of characters below U+10000) that the code page holds, and
// returns how many bytes of utf8 that run took: utf8 is used up, or the
// character at the returned offset is one the code page lacks.
std::size_t AppendCodePage936(std::string_view utf8, std::string& out);

}  // namespace qm::platform
