// SPDX-License-Identifier: GPL-3.0-or-later
// The platform on Windows: the system's version and folders, the display's
// families, and font files loaded for the session.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "core/platform/FontResources.h"
#include "core/platform/Text.h"
#include "core/platform/windows/WindowsPlatform.h"
#include "core/platform/windows/WindowsText.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"); }

std::string OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Utf8FromWide(fs::path(path).parent_path().wstring());
}

// Runs a program and waits for it; its exit code.
DWORD RunProgram(const std::string& commandLine) {
  std::wstring command = WideFromUtf8(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return ~DWORD{0};
  WaitForSingleObject(process.hThread, INFINITE);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

using WindowsOsTest = test::FolderTest;

// Wine shows each program the Windows version set for its file name.
TEST_F(WindowsOsTest, EachVersionWineCanPretendToBeGetsItsNameAndCaption) {
  if (!UnderWine()) GTEST_SKIP() << "needs Wine's version setting per program";
  const struct {
    const char* wineVersion;
    const char* name;
    const char* caption;
  } cases[] = {
      {"winxp", "Win XP", "操作系统：Win XP V5.01.2600"},
      {"win2k", "Win 2000", "操作系统：Win 2000 V5.2195"},
      {"win98", "Win 98", "操作系统：Win 98 V4.1.2222"},
      // 6 + 1/100: the version number is major + minor / 100 throughout.
      {"win7", "", "操作系统： V6.01.7601"},
      // Without a manifest that names Windows 10, the system reports 6.2.
      {"win10", "", "操作系统： V6.02.9200"},
  };
  for (const auto& [wineVersion, name, caption] : cases) {
    const std::string program = "qm-os-" + std::string(wineVersion) + ".exe";
    fs::copy_file(OwnFolder() + "\\quillmere_describe_os.exe", Path(program));
    const std::wstring settings = L"Software\\Wine\\AppDefaults\\" + WideFromUtf8(program);
    RegSetKeyValueW(HKEY_CURRENT_USER, settings.c_str(), L"Version", REG_SZ,
                    WideFromUtf8(wineVersion).c_str(),
                    static_cast<DWORD>((std::char_traits<char>::length(wineVersion) + 1) * 2));
    const std::string report = Path(std::string(wineVersion) + ".txt");
    EXPECT_EQ(RunProgram("\"" + Path(program) + "\" \"" + report + "\""), 0u) << wineVersion;
    RegDeleteKeyW(HKEY_CURRENT_USER, settings.c_str());
    std::ifstream in(report, std::ios::binary);
    std::string shownName, shownCaption;
    std::getline(in, shownName);
    std::getline(in, shownCaption);
    EXPECT_EQ(shownName, name) << wineVersion;
    EXPECT_EQ(shownCaption, caption) << wineVersion;
  }
}

TEST(WindowsFoldersTest, WindowsSystemAndFontsFoldersWithoutTrailingSeparator) {
  WindowsPlatform platform;
  const std::string windows = platform.GetWindowsFolder();
  EXPECT_TRUE(fs::is_directory(fs::path(WideFromUtf8(windows)))) << windows;
  EXPECT_NE(windows.back(), '\\');
  EXPECT_EQ(platform.GetSystemFolder(), windows + "\\system32");
  const std::vector<std::string> fonts = platform.FontFolders();
  ASSERT_FALSE(fonts.empty());
  EXPECT_EQ(AsciiLower(fonts.front()), AsciiLower(windows + "\\Fonts"));
}

using WindowsShellTest = test::FolderTest;

// A batch file opened as a double click would open it runs, and the call
// does not wait for it.
TEST_F(WindowsShellTest, OpeningAFileRunsWhatTheDesktopRunsForIt) {
  const std::string marker = Path("opened.txt");
  const std::string batch = Write("Sub Folder/open.bat", "@echo opened> \"" + marker + "\"\r\n");
  WindowsPlatform().ShellOpen(batch);
  for (int tries = 0; tries < 200 && !fs::exists(marker); ++tries) Sleep(50);
  EXPECT_TRUE(fs::exists(marker));
}

// Counts the WM_FONTCHANGE messages a top-level window of the test gets.
class FontChangeListener {
 public:
  FontChangeListener() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Receive;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuillmereFontChangeListener";
    RegisterClassW(&windowClass);
    window_ = CreateWindowW(windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                            nullptr, windowClass.hInstance, nullptr);
    count_ = 0;
  }
  ~FontChangeListener() { DestroyWindow(window_); }
  FontChangeListener(const FontChangeListener&) = delete;
  FontChangeListener& operator=(const FontChangeListener&) = delete;

  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_FONTCHANGE) ++count_;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static inline int count_ = 0;
  HWND window_ = nullptr;
};

class WindowsFontResourcesTest : public test::FolderTest {
 protected:
  std::string Copy(const std::string& font) {
    const std::string path = Path(font);
    fs::copy_file(test::TestEnvironment::Current().SourceFont(font), path);
    return path;
  }
  std::set<std::string> Families() {
    std::set<std::string> names;
    for (const InstalledFamily& family : platform_.InstalledFamilies()) {
      EXPECT_TRUE(names.insert(family.name).second) << family.name << " listed twice";
      EXPECT_NE(family.name.front(), '@') << family.name;
    }
    return names;
  }

  WindowsPlatform platform_;
  std::unique_ptr<FontResources> resources_ = CreateFontResources();
};

TEST_F(WindowsFontResourcesTest, FacesAreCountedPerFileAndProgramsToldOncePerCall) {
  const std::vector<std::string> files = {Copy("QmTestSans-Regular.ttf"), Copy("QmPair.ttc"),
                                          Copy("Broken-NotAFont.ttf")};
  FontChangeListener listener;
  EXPECT_EQ(resources_->AddFontResources(files), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(listener.Count(), 1);
  const std::set<std::string> loaded = Families();
  EXPECT_TRUE(loaded.contains("Quillmere Test Sans"));
  EXPECT_TRUE(loaded.contains("Quillmere Pair One") && loaded.contains("Quillmere Pair Two"));

  EXPECT_EQ(resources_->AddFontResources({files[0]}), std::vector<int>{0});  // already there
  EXPECT_EQ(resources_->RemoveFontResources(files), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(listener.Count(), 3);
  EXPECT_EQ(resources_->RemoveFontResources({files[0]}), std::vector<int>{0});
  const std::set<std::string> unloaded = Families();
  EXPECT_FALSE(unloaded.contains("Quillmere Test Sans"));
  EXPECT_FALSE(unloaded.contains("Quillmere Pair One"));
  EXPECT_TRUE(fs::exists(fs::path(WideFromUtf8(files[0]))));  // never deleted
}

// The vertical face's family begins with "@"; Families() checks none does.
TEST_F(WindowsFontResourcesTest, FamiliesInTheUsersLanguageWithoutVerticalForms) {
  const std::vector<std::string> files = {Copy("QmTestHei.ttf"), Copy("QmVertical.ttf")};
  EXPECT_EQ(resources_->AddFontResources(files), (std::vector<int>{1, 1}));
  const std::set<std::string> names = Families();
  resources_->RemoveFontResources(files);
  EXPECT_TRUE(names.contains("测试黑体"));
  EXPECT_FALSE(names.contains("Quillmere Hei"));
}

}  // namespace
}  // namespace qm::platform
