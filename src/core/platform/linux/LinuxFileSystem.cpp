// SPDX-License-Identifier: GPL-3.0-or-later
// Files on Linux: statx for the status and the birth time, the owner's
// write bit as read-only, a leading "." as hidden, a folder the user may not
// change as system, utimensat and chmod for writing.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <string_view>

#include "core/platform/FileSystem.h"

namespace qm::platform {
namespace {

// What one stat of the file yields.
struct RawStatus {
  mode_t mode = 0;
  std::uint64_t size = 0;
  std::uint64_t blocks = 0;  // in units of 512 bytes
  std::time_t accessed = 0;
  std::time_t modified = 0;
  std::time_t changed = 0;
  bool hasBirth = false;
  std::time_t born = 0;
};

// statx for the birth time; plain stat where statx is missing or refused
// (old kernels, some container sandboxes).
bool ReadRawStatus(const std::string& path, RawStatus* status) {
  struct statx extended {};
  if (statx(AT_FDCWD, path.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME,
            &extended) == 0) {
    status->mode = extended.stx_mode;
    status->size = extended.stx_size;
    status->blocks = extended.stx_blocks;
    status->accessed = extended.stx_atime.tv_sec;
    status->modified = extended.stx_mtime.tv_sec;
    status->changed = extended.stx_ctime.tv_sec;
    // Some file systems claim a birth time but report the epoch: none known.
    status->hasBirth = (extended.stx_mask & STATX_BTIME) != 0 &&
                       (extended.stx_btime.tv_sec != 0 || extended.stx_btime.tv_nsec != 0);
    status->born = extended.stx_btime.tv_sec;
    return true;
  }
  struct stat plain {};
  if (stat(path.c_str(), &plain) != 0) return false;
  status->mode = plain.st_mode;
  status->size = static_cast<std::uint64_t>(plain.st_size);
  status->blocks = static_cast<std::uint64_t>(plain.st_blocks);
  status->accessed = plain.st_atim.tv_sec;
  status->modified = plain.st_mtim.tv_sec;
  status->changed = plain.st_ctim.tv_sec;
  status->hasBirth = false;
  return true;
}

FileDateTime LocalTime(std::time_t time) {
  std::tm local{};
  if (!localtime_r(&time, &local)) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

// The moment a local date-time names; false for a null or impossible one.
// In the hour skipped or repeated by a clock change the C library chooses.
bool ToTimeT(const FileDateTime& time, std::time_t* result) {
  using namespace std::chrono;
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  if (time.month < 1 || time.day < 1 || !date.ok()) return false;
  if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
      time.second > 59)
    return false;
  std::tm local{};
  local.tm_year = time.year - 1900;
  local.tm_mon = time.month - 1;
  local.tm_mday = time.day;
  local.tm_hour = time.hour;
  local.tm_min = time.minute;
  local.tm_sec = time.second;
  local.tm_isdst = -1;
  *result = std::mktime(&local);
  return *result != static_cast<std::time_t>(-1);
}

// The user may add and remove files in the folder (checked with the
// effective ids, as the program would act).
bool FolderWritable(const std::string& folder) {
  return faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

class LinuxFileSystem : public FileSystem {
 public:
  FileStatus Status(const std::string& path) override {
    RawStatus raw;
    if (!ReadRawStatus(path, &raw)) return {};
    FileStatus status;
    status.exists = true;
    status.isFolder = S_ISDIR(raw.mode);
    status.size = raw.size;
    status.sizeOnDisk = raw.blocks * 512;
    status.born = raw.hasBirth ? LocalTime(raw.born) : FileDateTime{};
    status.changed = LocalTime(raw.changed);
    status.accessed = LocalTime(raw.accessed);
    status.modified = LocalTime(raw.modified);
    status.attributes = Attributes(path, raw.mode);
    return status;
  }

  // The birth time cannot be written on Linux.
  bool SetTime(const std::string& path, FileTime which, const FileDateTime& time) override {
    std::time_t moment = 0;
    if (which == FileTime::kBirth || !ToTimeT(time, &moment)) return false;
    timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
    times[which == FileTime::kModify ? 1 : 0] = {moment, 0};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
  }

  bool SetAttributes(const std::string& path, std::uint32_t current,
                     std::uint32_t wanted) override {
    const std::uint32_t changed = current ^ wanted;
    if (changed == 0) return true;
    // Only the read-only bit has a counterpart that can be written.
    if (changed != kAttrReadOnly) return false;
    struct stat now {};
    if (stat(path.c_str(), &now) != 0) return false;
    const mode_t mode =
        (wanted & kAttrReadOnly) ? (now.st_mode & ~mode_t{S_IWUSR}) : (now.st_mode | S_IWUSR);
    return chmod(path.c_str(), mode & 07777) == 0;
  }

 private:
  std::uint32_t Attributes(const std::string& path, mode_t mode) {
    const auto separator = path.rfind('/');
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::string_view folder =
        nameStart == 0 ? std::string_view("./") : std::string_view(path).substr(0, nameStart);
    std::uint32_t attributes = 0;
    if ((mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
    if (path.compare(nameStart, 1, ".") == 0) attributes |= kAttrHidden;
    if (!IsFolderWritable(folder)) attributes |= kAttrSystem;
    return attributes;
  }

  // One object often walks a whole folder: ask about the folder once.
  bool IsFolderWritable(std::string_view folder) {
    if (folder != checkedFolder_) {
      checkedFolder_ = folder;
      checkedFolderWritable_ = FolderWritable(checkedFolder_);
    }
    return checkedFolderWritable_;
  }

  std::string checkedFolder_;
  bool checkedFolderWritable_ = false;
};

}  // namespace

std::unique_ptr<FileSystem> CreateFileSystem() { return std::make_unique<LinuxFileSystem>(); }

}  // namespace qm::platform
