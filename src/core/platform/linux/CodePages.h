// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The characters of a legacy code page, as the C library converts them.

#include <string>
#include <vector>

namespace qm::platform {

// Every character that one or two bytes of codePage ("GB2312", "GBK")
// stand for, ascending; empty when iconv does not know the code page.
std::vector<char32_t> CodePageCharacters(const std::string& codePage);

}  // namespace qm::platform
