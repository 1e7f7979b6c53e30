// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the installer asks of the system about one file: can the font
// engine use it, and a copy that never leaves half a file behind. Each
// system's backend implements these functions.

#include <string>
#include <vector>

namespace qm::platform {

struct FontFileCheck {
  int faces = 0;                      // 0: the font engine cannot use the file
  std::vector<std::string> families;  // each face's family, each name once, in order
  std::string problem;                // why it cannot be used, when faces is 0
};

// Opens every face of the file with the font engine, without loading it for anyone.
FontFileCheck CheckFontFile(const std::string& path);

// Copies source to target, which must not exist: the bytes go to a hidden
// temporary file in target's folder, are flushed to the disk, and the file
// then takes its name unless a file of that name appeared meanwhile. False,
// with nothing left behind, when any step fails.
bool CopyNewFile(const std::string& source, const std::string& target);

}  // namespace qm::platform
