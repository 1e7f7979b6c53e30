// SPDX-License-Identifier: GPL-3.0-or-later
// Font files loaded for the session with the GDI font resources; running
// programs hear of it through one WM_FONTCHANGE broadcast per call.

#include <windows.h>

#include <set>

#include "core/platform/FontResources.h"
#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

// The system counts loads of a file and keeps its faces until as many
// removals came; the program loads each file once, so it remembers which
// files it loaded itself (by the full path in upper case).
class LoadedFiles {
 public:
  static LoadedFiles& Instance() {
    static LoadedFiles files;
    return files;
  }
  bool Insert(const std::wstring& key) { return keys_.insert(key).second; }
  void Erase(const std::wstring& key) { keys_.erase(key); }

 private:
  std::set<std::wstring> keys_;
};

std::wstring FileKey(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(length, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  return full;
}

// Without waiting long for a program that does not answer.
void BroadcastFontChange() {
  SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
}

class WindowsFontResources : public FontResources {
 public:
  std::vector<int> AddFontResources(const std::vector<std::string>& paths) override {
    std::vector<int> added;
    for (const std::string& path : paths) added.push_back(Add(WideFromUtf8(path)));
    BroadcastFontChange();
    return added;
  }

  std::vector<int> RemoveFontResources(const std::vector<std::string>& paths) override {
    std::vector<int> removed;
    for (const std::string& path : paths) {
      const std::wstring wide = WideFromUtf8(path);
      LoadedFiles::Instance().Erase(FileKey(wide));
      removed.push_back(RemoveFontResourceW(wide.c_str()) ? 1 : 0);
    }
    BroadcastFontChange();
    return removed;
  }

 private:
  static int Add(const std::wstring& path) {
    if (!LoadedFiles::Instance().Insert(FileKey(path))) return 0;
    const int faces = AddFontResourceW(path.c_str());
    if (faces == 0) LoadedFiles::Instance().Erase(FileKey(path));
    return faces;
  }
};

}  // namespace

std::unique_ptr<FontResources> CreateFontResources() {
  return std::make_unique<WindowsFontResources>();
}

}  // namespace qm::platform
