// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's trash, from which the file manager can restore a file.

#include <string>

namespace qm::gui {

// Moves the file (a link itself) into the user's trash; true only when it
// left its place and both it and its restore information are in the trash.
// A file that cannot be trashed stays where it is.
bool MoveToDesktopTrash(const std::string& path);

}  // namespace qm::gui
