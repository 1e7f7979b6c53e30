// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a whole file so that a failure costs nothing: the bytes go to a
// new file in the same folder, which then takes the name in one step. Each
// system's backend implements it.

#include <string>
#include <string_view>

namespace qm::platform {

// Makes path hold exactly bytes, replacing a file of that name without
// asking. Returns an empty text when the file is complete; otherwise why it
// failed, in the user's language, with any old file whole and no new file
// left behind.
std::string ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace qm::platform
