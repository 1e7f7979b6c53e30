#include "core/fileinfo/FileInfo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/platform/Text.h"

namespace qm::fileinfo {
namespace {

namespace fs = std::filesystem;

// What one stat of the file yields.
struct FileStatus {
  mode_t mode = 0;
  std::uint64_t size = 0;
  std::uint64_t blocks = 0;  // in units of 512 bytes
  std::time_t accessed = 0;
  std::time_t modified = 0;
  bool hasBirth = false;
  std::time_t born = 0;
};

// statx for the birth time; plain stat where statx is missing or refused
// (old kernels, some container sandboxes).
bool ReadStatus(const std::string& path, FileStatus* status) {
  struct statx extended {};
  if (statx(AT_FDCWD, path.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME,
            &extended) == 0) {
    status->mode = extended.stx_mode;
    status->size = extended.stx_size;
    status->blocks = extended.stx_blocks;
    status->accessed = extended.stx_atime.tv_sec;
    status->modified = extended.stx_mtime.tv_sec;
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
  if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 ||
      time.second < 0 || time.second > 59)
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

// An absolute path with no "." or ".." parts and no doubled separators is
// already in normal form; most paths a folder listing gives are.
bool IsNormalAbsolute(const std::string& path) {
  if (path.empty() || path.front() != '/') return false;
  for (const char* part : {"//", "/./", "/../"})
    if (path.find(part) != std::string::npos) return false;
  const auto endsWith = [&](const std::string& tail) {
    return path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
  };
  return !endsWith("/.") && !endsWith("/..");
}

}  // namespace

CFileInfo::CFileInfo(platform::FileTypes* fileTypes) : fileTypes_(fileTypes) {}

bool CFileInfo::SetFullPathName(const std::string& path) {
  if (path.empty()) return false;
  if (IsNormalAbsolute(path)) {
    fullPathName_ = path;
    Refresh();
    return true;
  }
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(path), error);
  if (error || absolute.empty()) return false;
  fullPathName_ = absolute.lexically_normal().string();
  Refresh();
  return true;
}

void CFileInfo::Refresh() {
  FileStatus status;
  if (fullPathName_.empty() || !ReadStatus(fullPathName_, &status) || S_ISDIR(status.mode)) {
    fileExists_ = false;
    return;
  }
  // A normal absolute path: the name follows the last separator.
  const auto separator = fullPathName_.rfind('/');
  fileName_ = fullPathName_.substr(separator + 1);
  filePath_ = fullPathName_.substr(0, separator + 1);
  const auto dot = fileName_.rfind('.');
  fileExtension_ = dot == std::string::npos ? std::string() : fileName_.substr(dot + 1);

  attributes_ = 0;
  if ((status.mode & S_IWUSR) == 0) attributes_ |= kAttrReadOnly;
  if (!fileName_.empty() && fileName_.front() == '.') attributes_ |= kAttrHidden;
  // One object often walks a whole folder: ask about the folder once.
  if (filePath_ != checkedFolder_) {
    checkedFolder_ = filePath_;
    checkedFolderWritable_ = FolderWritable(filePath_);
  }
  if (!checkedFolderWritable_) attributes_ |= kAttrSystem;

  fileSize_ = status.size;
  compressedFileSize_ = status.blocks * 512;
  fileExists_ = true;
  pathExists_ = true;

  modifyTime_ = LocalTime(status.modified);
  lastAccessTime_ = LocalTime(status.accessed);
  creationTime_ = status.hasBirth ? LocalTime(status.born) : FileDateTime{};

  platform::FileTypeInfo type;
  if (fileTypes_) type = fileTypes_->Describe(fullPathName_);
  displayName_ = type.displayName;
  typeName_ = platform::TrimSpaces(type.typeName);
  if (typeName_.empty()) typeName_ = platform::TrimSpaces(platform::AsciiUpper(fileExtension_) + " File");
  icon_ = type.icon;
}

bool CFileInfo::SetCreationTime(const FileDateTime&) { return false; }

bool CFileInfo::SetLastAccessTime(const FileDateTime& time) { return WriteTime(false, time); }

bool CFileInfo::SetModifyTime(const FileDateTime& time) { return WriteTime(true, time); }

bool CFileInfo::WriteTime(bool modification, const FileDateTime& time) {
  std::time_t moment = 0;
  if (!fileExists_ || !ToTimeT(time, &moment)) return false;
  timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
  times[modification ? 1 : 0] = {moment, 0};
  if (utimensat(AT_FDCWD, fullPathName_.c_str(), times, 0) != 0) return false;
  Refresh();
  return true;
}

bool CFileInfo::SetAttributes(std::uint32_t attributes) {
  if (!fileExists_) return false;
  const std::uint32_t changed = attributes ^ attributes_;
  if (changed == 0) return true;
  // Only the read-only bit has a counterpart that can be written.
  if (changed != kAttrReadOnly) return false;
  struct stat current {};
  if (stat(fullPathName_.c_str(), &current) != 0) return false;
  const mode_t mode = (attributes & kAttrReadOnly) ? (current.st_mode & ~S_IWUSR)
                                                    : (current.st_mode | S_IWUSR);
  if (chmod(fullPathName_.c_str(), mode & 07777) != 0) return false;
  Refresh();
  return true;
}

bool CFileInfo::SetAttribute(std::uint32_t bit, bool on) {
  return SetAttributes(on ? (attributes_ | bit) : (attributes_ & ~bit));
}

bool CFileInfo::SetAttrReadOnly(bool on) { return SetAttribute(kAttrReadOnly, on); }
bool CFileInfo::SetAttrHidden(bool on) { return SetAttribute(kAttrHidden, on); }
bool CFileInfo::SetAttrSystem(bool on) { return SetAttribute(kAttrSystem, on); }
bool CFileInfo::SetAttrArchive(bool on) { return SetAttribute(kAttrArchive, on); }
bool CFileInfo::SetAttrTemporary(bool on) { return SetAttribute(kAttrTemporary, on); }
bool CFileInfo::SetAttrCompressed(bool on) { return SetAttribute(kAttrCompressed, on); }

std::string CFileInfo::FormatFileDate(const FileDateTime& time) {
  if (time.IsNull()) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return text;
}

// "," and "." whatever the locale: the font list sorts the column by the
// number these texts show and expects exactly these separators.
std::string CFileInfo::FormatFileSize(std::uint64_t bytes) {
  // Hundredths of a KB, rounded half up, in integers so that no size
  // loses precision.
  const std::uint64_t hundredths = bytes / 1024 * 100 + (bytes % 1024 * 100 + 512) / 1024;
  const std::string whole = std::to_string(hundredths / 100);
  std::string text;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) text += ',';
    text += whole[i];
  }
  const unsigned cents = static_cast<unsigned>(hundredths % 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

}  // namespace qm::fileinfo
