// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/windows/WindowsFileErrors.h"

#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

// The system's own text for errors the program has no words of its own for.
std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message(text ? text : L"", length);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
    message.pop_back();
  if (message.empty()) return "错误 " + std::to_string(error);
  return Utf8FromWide(message);
}

}  // namespace

std::string FileErrorReason(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      return "没有写入这个文件夹的权限";
    case ERROR_WRITE_PROTECT:
      return "磁盘是只读的";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "磁盘空间不足";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "文件夹不存在";
    case ERROR_DIRECTORY:
      return "这个名字已是一个文件夹";
    case ERROR_FILENAME_EXCED_RANGE:
      return "文件名太长";
    default:
      return SystemMessage(error);
  }
}

}  // namespace qm::platform
