// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers for UTF-8 strings. Letter case changes only for ASCII
// letters: enough for registry names and file extensions, with no locale.

#include <string>

namespace qm::platform {

std::string TrimSpaces(const std::string& text);  // leading and trailing " "
std::string AsciiLower(std::string text);
std::string AsciiUpper(std::string text);

}  // namespace qm::platform
