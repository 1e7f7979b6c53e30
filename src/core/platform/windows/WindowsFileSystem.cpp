// SPDX-License-Identifier: GPL-3.0-or-later
// Files on Windows: one directory search gives status, times, attributes
// and the 8.3 name; the names on disk are looked up folder by folder.

#include <windows.h>

#include <chrono>

#include "core/platform/FileSystem.h"
#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

constexpr DWORD kReportedAttributes =
    kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive | kAttrTemporary | kAttrCompressed;
// What SetFileAttributes can change of the bits reported.
constexpr DWORD kWritableAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
// Bits the file keeps whatever is written.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;

// One search for exactly this path: wildcards would find other files.
bool FindEntry(const std::wstring& path, WIN32_FIND_DATAW* found) {
  if (path.find_first_of(L"*?") != std::wstring::npos) return false;
  HANDLE search = FindFirstFileW(path.c_str(), found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

FileDateTime LocalTime(const FILETIME& time) {
  FILETIME local{};
  SYSTEMTIME parts{};
  if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) ||
      !FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts))
    return {};
  return {parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
}

// The calendar is checked here: not every system's conversion does.
bool IsPossible(const FileDateTime& time) {
  using namespace std::chrono;
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  return time.year >= 1601 && time.year <= 30827 && time.month >= 1 && time.day >= 1 && date.ok() &&
         time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59 &&
         time.second >= 0 && time.second <= 59;
}

// The moment a local date-time names; false for a null or impossible one.
bool ToFileTime(const FileDateTime& time, FILETIME* result) {
  if (!IsPossible(time)) return false;
  SYSTEMTIME parts{};
  parts.wYear = static_cast<WORD>(time.year);
  parts.wMonth = static_cast<WORD>(time.month);
  parts.wDay = static_cast<WORD>(time.day);
  parts.wHour = static_cast<WORD>(time.hour);
  parts.wMinute = static_cast<WORD>(time.minute);
  parts.wSecond = static_cast<WORD>(time.second);
  FILETIME local{};
  return SystemTimeToFileTime(&parts, &local) && LocalFileTimeToFileTime(&local, result);
}

std::wstring Upper(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring ShortPathOf(const std::wstring& path) {
  const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length == 0) return {};
  std::wstring shortPath(length, L'\0');
  shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(), length));
  return shortPath;
}

std::uint64_t SizeOnDisk(const std::wstring& path) {
  DWORD high = 0;
  const DWORD low = GetCompressedFileSizeW(path.c_str(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
  return (std::uint64_t{high} << 32) | low;
}

// Where the root of a full path ends: after "C:" or "\\server\share";
// npos for a path of another form.
std::size_t RootLength(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return 2;
  if (path.rfind(L"\\\\", 0) != 0) return std::wstring::npos;
  const std::size_t share = path.find(L'\\', 2);
  const std::size_t end = share == std::wstring::npos ? share : path.find(L'\\', share + 1);
  return end == std::wstring::npos ? path.size() : end;
}

class WindowsFileSystem : public FileSystem {
 public:
  FileStatus Status(const std::string& path) override {
    const std::wstring wide = WideFromUtf8(path);
    WIN32_FIND_DATAW found{};
    if (!FindEntry(wide, &found)) return {};
    FileStatus status;
    status.exists = true;
    status.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    status.sizeOnDisk = SizeOnDisk(wide);
    status.born = LocalTime(found.ftCreationTime);
    status.accessed = LocalTime(found.ftLastAccessTime);
    status.modified = LocalTime(found.ftLastWriteTime);
    status.changed = status.modified;  // the search does not report a status change apart
    status.attributes = found.dwFileAttributes & kReportedAttributes;
    const std::wstring folder = OnDiskFolder(wide);
    if (!folder.empty()) status.pathOnDisk = Utf8FromWide(folder + found.cFileName);
    // Where the long name is already short the search gives no 8.3 name.
    status.shortName =
        Utf8FromWide(found.cAlternateFileName[0] != L'\0' ? std::wstring(found.cAlternateFileName)
                                                          : Upper(found.cFileName));
    status.shortPathName = Utf8FromWide(ShortPathOf(wide));
    return status;
  }

  // Writing needs only the right to change attributes, so read-only files
  // and folders take new times too.
  bool SetTime(const std::string& path, FileTime which, const FileDateTime& time) override {
    FILETIME moment{};
    if (!ToFileTime(time, &moment)) return false;
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BOOL written = SetFileTime(file, which == FileTime::kBirth ? &moment : nullptr,
                                     which == FileTime::kAccess ? &moment : nullptr,
                                     which == FileTime::kModify ? &moment : nullptr);
    CloseHandle(file);
    return written != FALSE;
  }

  bool SetAttributes(const std::string& path, std::uint32_t current,
                     std::uint32_t wanted) override {
    const std::uint32_t changed = current ^ wanted;
    if (changed == 0) return true;
    if ((changed & ~kWritableAttributes) != 0) return false;
    const std::wstring wide = WideFromUtf8(path);
    const DWORD now = GetFileAttributesW(wide.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD next = (now & kKeptAttributes) | (wanted & kWritableAttributes);
    return SetFileAttributesW(wide.c_str(), next == 0 ? FILE_ATTRIBUTE_NORMAL : next) != FALSE;
  }

 private:
  // The folder of a full path with each folder's name as stored on disk and
  // the drive letter in upper case, ending in "\"; empty when a folder is
  // missing. A walk through one folder looks the folder up once.
  std::wstring OnDiskFolder(const std::wstring& path) {
    const std::size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos) return {};
    const std::wstring folder = path.substr(0, separator);
    if (folder != askedFolder_) {
      askedFolder_ = folder;
      resolvedFolder_ = ResolveFolder(folder);
    }
    return resolvedFolder_;
  }

  static std::wstring ResolveFolder(const std::wstring& folder) {
    const std::size_t rootEnd = RootLength(folder);
    if (rootEnd == std::wstring::npos) return {};
    std::wstring resolved = folder.substr(0, rootEnd);
    if (rootEnd == 2) resolved = Upper(resolved);
    for (std::size_t start = rootEnd + 1; start <= folder.size() && rootEnd < folder.size();) {
      std::size_t end = folder.find(L'\\', start);
      if (end == std::wstring::npos) end = folder.size();
      WIN32_FIND_DATAW found{};
      if (!FindEntry(resolved + L'\\' + folder.substr(start, end - start), &found) ||
          (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return {};
      resolved += L'\\';
      resolved += found.cFileName;
      start = end + 1;
    }
    return resolved + L'\\';
  }

  std::wstring askedFolder_;
  std::wstring resolvedFolder_;
};

}  // namespace

std::unique_ptr<FileSystem> CreateFileSystem() { return std::make_unique<WindowsFileSystem>(); }

}  // namespace qm::platform
