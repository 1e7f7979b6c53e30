// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the installer asks of the system about one file: can the font
// engine use it, and a copy that never leaves half a file behind. Each
// system's backend implements these functions.

#include <string>
#include <vector>

namespace qm::platform {

struct FontFileCheck {
  int faces = 0;                      // usable faces among the first 16; 0: none
  std::vector<std::string> families;  // their families, each name once, in order
  std::string problem;                // why it cannot be used, when faces is 0
};

// Opens the first faces of the file with the font engine, without loading
// it for anyone.
FontFileCheck CheckFontFile(const std::string& path);

// Copies source to a hidden temporary file in the folder of target (a
// name fontconfig skips). The copy's path, or empty, with nothing left
// behind, when any step fails (a full disk, a read-only folder).
std::string CopyToHiddenFile(const std::string& source, const std::string& target);

struct PendingCopy {
  std::string copy;    // from CopyToHiddenFile
  std::string target;  // the name it is to take
};

// Flushes every copy (all made in one folder) to the disk at once, then gives each its name unless
// a file of that name appeared meanwhile. One result per copy: whether it
// now has its name; a copy that has not is removed.
std::vector<bool> CommitCopies(const std::vector<PendingCopy>& copies);

}  // namespace qm::platform
