// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Font files the toolkit was given by the program, by path, so that a file
// unloaded for every program can be dropped from this one too.

#include <string>

namespace qm::gui {

// Makes the faces of the file known to the toolkit; false when it has none.
bool AddApplicationFontFile(const std::string& path);

// Takes back what AddApplicationFontFile gave for the file; nothing when
// the program did not load it.
void DropApplicationFontFile(const std::string& path);

}  // namespace qm::gui
