// SPDX-License-Identifier: GPL-3.0-or-later
// Font files checked by loading them privately into GDI: the count of
// faces is what AddFontResourceExW(FR_PRIVATE) reports, and the families
// are those the display enumerates only while the file is loaded. (The
// call that lists a file's faces without loading it, GetFontResourceInfoW,
// is a stub in Wine, so it cannot be proven here.) Copies are hidden
// files flushed to the disk before they take their names.

#include <windows.h>

#include <algorithm>
#include <set>
#include <vector>

#include "core/platform/FontFileCheck.h"
#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

struct FamilyCollector {
  std::vector<std::wstring> families;
  std::set<std::wstring> seen;
};

// Called per face and character set: a large collection gives thousands of calls.
int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* collector = reinterpret_cast<FamilyCollector*>(data);
  const std::wstring name = font->lfFaceName;
  if (!name.empty() && name.front() != L'@' && collector->seen.insert(name).second)
    collector->families.push_back(name);
  return 1;
}

// Every family the display enumerates for this process, each once.
std::vector<std::wstring> EnumeratedFamilies() {
  FamilyCollector collector;
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &all, CollectFamily, reinterpret_cast<LPARAM>(&collector), 0);
  ReleaseDC(nullptr, screen);
  return collector.families;
}

bool IsReadable(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Opens the file with write access only to flush it to the disk.
bool Flush(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(file);
  return CloseHandle(file) && flushed;
}

// Takes the name unless a file of that name is there, then shows the file.
bool TakeName(const std::wstring& copy, const std::wstring& target) {
  if (!MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return false;
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  return true;
}

}  // namespace

FontFileCheck CheckFontFile(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  if (!IsReadable(wide)) return {0, {}, "无法读取文件"};
  // A family already installed under the same name is not new, so it is not seen.
  const std::vector<std::wstring> before = EnumeratedFamilies();
  FontFileCheck check;
  // Wine's loader may fail on a hostile file with an exception code, a negative count.
  check.faces = std::max(AddFontResourceExW(wide.c_str(), FR_PRIVATE, nullptr), 0);
  if (check.faces == 0) return {0, {}, "不是可用的字体文件"};
  const std::set<std::wstring> known(before.begin(), before.end());
  for (const std::wstring& family : EnumeratedFamilies())
    if (known.count(family) == 0) check.families.push_back(Utf8FromWide(family));
  RemoveFontResourceExW(wide.c_str(), FR_PRIVATE, nullptr);
  return check;
}

std::string CopyToHiddenFile(const std::string& source, const std::string& target) {
  const std::wstring targetPath = WideFromUtf8(target);
  const std::size_t separator = targetPath.find_last_of(L"\\/");
  const std::wstring folder =
      separator == std::wstring::npos ? L"." : targetPath.substr(0, separator + 1);
  wchar_t copy[MAX_PATH] = {};
  if (GetTempFileNameW(folder.c_str(), L"qm", 0, copy) == 0) return {};
  // The copy takes the source's attributes, read-only too; hidden is all it keeps.
  if (CopyFileW(WideFromUtf8(source).c_str(), copy, FALSE) &&
      SetFileAttributesW(copy, FILE_ATTRIBUTE_HIDDEN))
    return Utf8FromWide(copy);
  SetFileAttributesW(copy, FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(copy);
  return {};
}

std::vector<bool> CommitCopies(const std::vector<PendingCopy>& copies) {
  std::vector<bool> named(copies.size(), false);
  // Windows flushes file by file: every copy reaches the disk before any takes its name.
  bool flushed = true;
  for (const PendingCopy& pending : copies) flushed = Flush(WideFromUtf8(pending.copy)) && flushed;
  for (std::size_t i = 0; i < copies.size(); ++i) {
    const std::wstring copy = WideFromUtf8(copies[i].copy);
    named[i] = flushed && TakeName(copy, WideFromUtf8(copies[i].target));
    if (named[i]) continue;
    SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(copy.c_str());
  }
  return named;
}

}  // namespace qm::platform
