// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One file as the operating system describes it: status, time stamps and
// attributes, read and written through this interface. Each system's
// backend implements it; the rest of the core never asks the system itself.

#include <compare>
#include <cstdint>
#include <memory>
#include <string>

namespace qm::platform {

// A local date and time to the second. A default-made value is null
// ("no time known"). Fields compare in order, so comparing two values
// compares them in time.
struct FileDateTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool IsNull() const { return *this == FileDateTime{}; }
  auto operator<=>(const FileDateTime&) const = default;
};

// Attribute bits, with the values the file-information class reports.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrTemporary = 0x100;
inline constexpr std::uint32_t kAttrCompressed = 0x800;

// What one look at a path yields. When exists is false nothing else is set;
// a time the system does not keep is null.
struct FileStatus {
  bool exists = false;
  bool isFolder = false;
  std::uint64_t size = 0;
  std::uint64_t sizeOnDisk = 0;  // less than size for a sparse or compressed file
  FileDateTime born;
  FileDateTime changed;  // the last change of the contents or of the status
  FileDateTime accessed;
  FileDateTime modified;
  std::uint32_t attributes = 0;  // the kAttr bits the system can tell
  // Where the system has them: the path with every name as stored on disk,
  // and the short (8.3) forms of the path and of the name. Else empty.
  std::string pathOnDisk;
  std::string shortPathName;
  std::string shortName;
};

enum class FileTime { kBirth, kAccess, kModify };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual FileStatus Status(const std::string& path) = 0;

  // The writers return false, with nothing changed, when the system cannot
  // honour the request: no such file, an impossible date-time, a time or
  // attribute the system does not keep or cannot write.
  virtual bool SetTime(const std::string& path, FileTime which, const FileDateTime& time) = 0;
  // current is what the last Status reported; wanted holds every bit the
  // file is to have. Equal values succeed and touch nothing.
  virtual bool SetAttributes(const std::string& path, std::uint32_t current,
                             std::uint32_t wanted) = 0;
};

// The implementation for the system this program was built for. An object
// may remember what it learnt about a folder while it walks through it, so
// each walk should use an object of its own.
std::unique_ptr<FileSystem> CreateFileSystem();

}  // namespace qm::platform
