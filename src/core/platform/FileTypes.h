// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the desktop says about a file: the name it shows, the name of its
// kind ("TrueType 字体") and its picture. The core asks through this
// interface so that it needs no toolkit; the widget layer supplies one.

#include <cstdint>
#include <string>

namespace qm::platform {

// An opaque key for a file's icon, to be turned into a picture by the
// implementation that handed it out; 0 means no icon.
using FileIconKey = std::uintptr_t;

struct FileTypeInfo {
  std::string displayName;  // UTF-8, as a file manager would show the file
  std::string typeName;     // UTF-8, localised; empty when the kind is unknown
  FileIconKey icon = 0;
};

class FileTypes {
 public:
  virtual ~FileTypes() = default;

  virtual FileTypeInfo Describe(const std::string& fullPath) = 0;
};

}  // namespace qm::platform
