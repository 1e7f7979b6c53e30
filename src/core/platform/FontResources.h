// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading and unloading font files for every program of the user, as the
// system does it. Each system's backend implements this interface.

#include <memory>
#include <string>
#include <vector>

namespace qm::platform {

class FontResources {
 public:
  virtual ~FontResources() = default;

  // Makes the faces of each file available to every program of the user
  // and to this one. One result per path, in order: the number of faces of
  // that file available now that were not before; 0 when the file is no
  // font, was already loaded, or the system refused it. Running programs
  // are told once per call, not once per file.
  virtual std::vector<int> AddFontResources(const std::vector<std::string>& paths) = 0;

  // Makes each file unavailable to every program of the user and to this
  // one. One result per path, in order: 1 when the system offered the
  // file's faces before and does not after, else 0. Files are never
  // deleted or changed here. Running programs are told once per call.
  virtual std::vector<int> RemoveFontResources(const std::vector<std::string>& paths) = 0;
};

// The implementation for the system this program was built for.
std::unique_ptr<FontResources> CreateFontResources();

}  // namespace qm::platform
