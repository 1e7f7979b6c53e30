// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Style names as a Chinese reader is shown them: the common English words
// of font styles in Chinese, other names as they are.

#include <string>
#include <string_view>

namespace qm::catalogue {

// "Regular" gives "常规", "Bold Italic" "粗斜体", "Light" "细体", "SemiBold
// Condensed" "半粗 窄体"; a name with a word not known (or already Chinese)
// is given back as it is. Letter case and "-" or "_" between words do not
// matter.
std::string ChineseStyleName(std::string_view style);

}  // namespace qm::catalogue
