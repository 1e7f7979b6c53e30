// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/windows/WindowsPlatform.h"

#include <windows.h>
// After windows.h, which the shell's headers need.
#include <shellapi.h>
#include <shlobj.h>

#include <set>

#include "core/platform/FileSystem.h"
#include "core/platform/windows/WindowsCodePages.h"
#include "core/platform/windows/WindowsText.h"
#include "core/system/OsNaming.h"

namespace qm::platform {
namespace {

struct FamilyCollector {
  std::vector<InstalledFamily> families;
  std::set<std::wstring> seen;
};

// Called once per family and character set; a family with several
// character sets comes several times.
int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* collector = reinterpret_cast<FamilyCollector*>(data);
  const std::wstring name = font->lfFaceName;
  if (!name.empty() && name.front() != L'@' && collector->seen.insert(name).second)
    collector->families.push_back({Utf8FromWide(name), {}});
  return 1;
}

// A folder the system names into a buffer of the given size; without
// trailing separator.
template <typename Getter>
std::string FolderFrom(Getter getter) {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = getter(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring folder(buffer, length);
  if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  return Utf8FromWide(folder);
}

std::string SpecialFolder(int id) {
  wchar_t buffer[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
  return Utf8FromWide(buffer);
}

// What the system says its version is.
system::WindowsVersion ReportedWindowsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return {-1, 0, 0, 0};
  return {static_cast<int>(info.dwPlatformId), info.dwMajorVersion, info.dwMinorVersion,
          info.dwBuildNumber};
}

void AddDeclaredRanges(HDC dc, CodePointSet& characters) {
  const DWORD size = GetFontUnicodeRanges(dc, nullptr);
  if (size == 0) return;
  std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  auto* glyphs = reinterpret_cast<GLYPHSET*>(buffer.data());
  if (GetFontUnicodeRanges(dc, glyphs) == 0) return;
  for (DWORD i = 0; i < glyphs->cRanges; ++i) {
    const WCRANGE& range = glyphs->ranges[i];
    for (char32_t c = range.wcLow; c < char32_t{range.wcLow} + range.cGlyphs; ++c)
      if (c < 0xD800 || c > 0xDFFF) characters.Add(c);
  }
}

// Empty when the display would draw the name in another family.
CodePointSet DeclaredCharacters(const std::wstring& family) {
  CodePointSet characters;
  if (family.empty() || family.size() >= LF_FACESIZE) return characters;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectW(&wanted);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  if (GetTextFaceW(dc, LF_FACESIZE, face) > 0 && lstrcmpiW(face, wanted.lfFaceName) == 0)
    AddDeclaredRanges(dc, characters);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return characters;
}

}  // namespace

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<WindowsPlatform>(); }

std::vector<InstalledFamily> WindowsPlatform::InstalledFamilies() {
  characters_.clear();
  FamilyCollector collector;
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;  // every character set; the empty name: every family
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &all, CollectFamily, reinterpret_cast<LPARAM>(&collector), 0);
  ReleaseDC(nullptr, screen);
  return collector.families;
}

OsDescription WindowsPlatform::DescribeOs() {
  const system::WindowsVersion version = ReportedWindowsVersion();
  return {system::OsNameFor(version), system::OsCaptionFor(version)};
}

std::string WindowsPlatform::GetWindowsFolder() {
  return FolderFrom([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string WindowsPlatform::GetSystemFolder() {
  return FolderFrom([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

const CodePointSet& WindowsPlatform::CharactersOf(const std::string& familyName) {
  const auto known = characters_.find(familyName);
  if (known != characters_.end()) return known->second;
  return characters_[familyName] = DeclaredCharacters(WideFromUtf8(familyName));
}

std::vector<char32_t> WindowsPlatform::CodePageCharacters(const std::string& codePage) {
  return platform::CodePageCharacters(codePage);
}

std::vector<std::string> WindowsPlatform::FontFolders() {
  std::vector<std::string> folders;
  if (std::string system = SpecialFolder(CSIDL_FONTS); !system.empty()) folders.push_back(system);
  for (std::string& user : UserFontFolders()) folders.push_back(std::move(user));
  return folders;
}

std::vector<std::string> WindowsPlatform::UserFontFolders() {
  // Fonts installed for one user only (Windows 10 1809 and later).
  const std::string local = SpecialFolder(CSIDL_LOCAL_APPDATA);
  const std::string user = local + "\\Microsoft\\Windows\\Fonts";
  if (!local.empty() && CreateFileSystem()->Status(user).isFolder) return {user};
  return {};
}

void WindowsPlatform::ShellOpen(const std::string& target) {
  ShellExecuteW(nullptr, L"open", WideFromUtf8(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qm::platform
