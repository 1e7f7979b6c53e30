// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The characters of a legacy code page, as the system's tables convert them.

#include <string>
#include <vector>

namespace qm::platform {

// Every character that one or two bytes of codePage ("GB2312", "GBK")
// stand for, ascending; empty for a code page the program does not know
// or the system cannot convert.
std::vector<char32_t> CodePageCharacters(const std::string& codePage);

}  // namespace qm::platform
