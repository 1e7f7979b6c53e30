// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A font file read through the system's memory mapping, so that only the
// pages a font loader touches are read from the disk.

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace qm::platform {

// A font file's bytes mapped into memory, private to this process: writes change
// only this process's copy of the touched pages, never the file.
class MappedFile {
 public:
  virtual ~MappedFile() = default;
  virtual std::span<std::byte> Bytes() = 0;
};

// nullptr when the file cannot be opened or mapped, or is empty, or is not a regular file
// (a FIFO, a folder). Never blocks on a FIFO.
std::unique_ptr<MappedFile> MapFilePrivately(const std::string& path);

}  // namespace qm::platform
