// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading and unloading font files for every program of the user through
// fontconfig. A file is unloaded by an exact-path reject rule in the
// program's own fontconfig file; whether that worked is asked of a fresh
// configuration before and after, as any other program would read it.

#include <string>
#include <vector>

#include "core/platform/FontResources.h"
#include "core/platform/linux/ProgramFontconfigFile.h"

namespace qm::platform {

class LinuxFontResources : public FontResources {
 public:
  LinuxFontResources() = default;
  explicit LinuxFontResources(ProgramFontconfigFile file) : file_(std::move(file)) {}

  // The paths are files just placed in a font folder (copies, or links to
  // where the files lie): each one's faces that a fresh configuration lists
  // count as new, unless it is a link to a file listed in its own place.
  // Loading the configuration rescans the changed folders once and writes
  // their caches for every program.
  std::vector<int> AddFontResources(const std::vector<std::string>& paths) override;
  // A file of several faces is rejected whole, by one entry: one success.
  std::vector<int> RemoveFontResources(const std::vector<std::string>& paths) override;

 private:
  ProgramFontconfigFile file_;
};

// For each path, whether a configuration loaded afresh now lists a face of
// that file.
std::vector<bool> ListedByFontconfig(const std::vector<std::string>& paths);

// "Family Style" of each face the file holds, read from the file itself.
std::vector<std::string> FacesOfFile(const std::string& path);

}  // namespace qm::platform
