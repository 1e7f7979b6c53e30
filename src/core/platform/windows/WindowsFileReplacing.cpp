// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file on Windows: a temporary file beside it, written and
// flushed, then put in the old file's place by the system in one step
// (ReplaceFileW keeps the old file's attributes and security, with
// MoveFileExW where it cannot; a new name is taken with MoveFileExW,
// written through to the disk).

#include <windows.h>
// windows.h names its own call ReplaceFile through a macro; the program's function keeps its name.
#undef ReplaceFile

#include <algorithm>

#include "core/platform/FileReplacing.h"
#include "core/platform/windows/WindowsFileErrors.h"
#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return L".";
  return path.substr(0, separator == 0 || path[separator - 1] == L':' ? separator + 1 : separator);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Writes the temporary file to the disk; 0 or the failing call's error.
DWORD WriteTemporary(const std::wstring& temporary, std::string_view bytes) {
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
  DWORD error = written ? 0 : GetLastError();
  if (!CloseHandle(file) && error == 0) error = GetLastError();
  return error;
}

// Gives the temporary file the name; 0 or the failing call's error.
DWORD TakeName(const std::wstring& temporary, const std::wstring& path) {
  const DWORD old = GetFileAttributesW(path.c_str());
  if (old == INVALID_FILE_ATTRIBUTES)
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) ? 0
                                                                                : GetLastError();
  if (old & FILE_ATTRIBUTE_DIRECTORY) return ERROR_DIRECTORY;
  if (!::ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                      nullptr, nullptr) &&
      !MoveFileExW(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return GetLastError();
  // Wine's ReplaceFileW does not carry the attributes over as Windows does.
  SetFileAttributesW(path.c_str(), old);
  return 0;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::wstring wide = WideFromUtf8(path);
  // A short name of its own, so that a name near the length limit still fits.
  wchar_t temporary[MAX_PATH] = {};
  if (GetTempFileNameW(FolderOf(wide).c_str(), L"qm", 0, temporary) == 0) {
    // A folder that is not there is "not a folder" to this call.
    const DWORD error = GetLastError();
    return FileErrorReason(error == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : error);
  }
  DWORD error = WriteTemporary(temporary, bytes);
  if (error == 0) error = TakeName(temporary, wide);
  if (error == 0) return {};
  DeleteFileW(temporary);
  return FileErrorReason(error);
}

}  // namespace qm::platform
