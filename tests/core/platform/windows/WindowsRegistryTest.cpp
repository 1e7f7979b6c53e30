// SPDX-License-Identifier: GPL-3.0-or-later
// The registry procedures and the font table on the real registry, with
// text in the ANSI code page.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/catalogue/FontTable.h"
#include "core/platform/windows/WindowsRegistry.h"
#include "core/platform/windows/WindowsText.h"
#include "core/registry/RegistryProcedures.h"

namespace qm::platform {
namespace {

using registry::DeleteRegistryValue;
using registry::QueryValueOnKey;
using registry::ReadRegistryString;
using registry::ReadRegistryValue;
using registry::WriteRegistryValue;

// "测试黑体" in code page 936.
const std::string kHeiUtf8 = "测试黑体";
const std::string kHeiAnsi = "\xB2\xE2\xCA\xD4\xBA\xDA\xCC\xE5";

// A key made for one test and removed with everything in it afterwards;
// made only if it did not exist before.
class ScopedKey {
 public:
  ScopedKey(HKEY root, const std::string& path) : root_(root), path_(WideFromUtf8(path)) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    RegCloseKey(key);
    made_ = disposition == REG_CREATED_NEW_KEY;
  }
  ~ScopedKey() {
    if (!made_) return;
    RegDeleteTreeW(root_, path_.c_str());  // what is in it
    RegDeleteKeyW(root_, path_.c_str());
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

 private:
  HKEY root_;
  std::wstring path_;
  bool made_ = false;
};

// The bytes the ANSI call reads for one value.
std::string RawValue(HKEY root, const std::string& key, const std::string& name, DWORD* type) {
  char data[256] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, type, data, &size) != ERROR_SUCCESS)
    return "<missing>";
  return std::string(data, size);
}

class WindowsRegistryTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 936u) << "the suite runs with LANG=zh_CN.UTF-8"; }

  const std::string key_ = "Software\\Quillmere Test\\" + std::to_string(GetCurrentProcessId());
  ScopedKey scoped_{HKEY_CURRENT_USER, key_};
  WindowsRegistry registry_;
};

TEST_F(WindowsRegistryTest, TextIsStoredInTheAnsiCodePageAndReadBackAsUtf8) {
  WriteRegistryValue(registry_, kHkeyCurrentUser, key_, kHeiUtf8, kHeiUtf8 + " ", kRegSz);
  DWORD type = 0;
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, key_, kHeiAnsi, &type), kHeiAnsi + " " + '\0');
  EXPECT_EQ(type, DWORD{REG_SZ});
  EXPECT_EQ(ReadRegistryString(registry_, kHkeyCurrentUser, key_, kHeiUtf8), kHeiUtf8 + " ");
  EXPECT_EQ(std::get<std::string>(ReadRegistryValue(registry_, kHkeyCurrentUser, key_, kHeiUtf8)),
            kHeiUtf8 + " ");

  // Text in the code page's own characters read through the ANSI call.
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), "ansi", REG_SZ, kHeiAnsi.c_str(),
                            static_cast<DWORD>(kHeiAnsi.size() + 1)),
            ERROR_SUCCESS);
  EXPECT_EQ(ReadRegistryString(registry_, kHkeyCurrentUser, key_, "ANSI"), kHeiUtf8);
}

TEST_F(WindowsRegistryTest, IntegersOtherTypesMissingValuesAndDeleting) {
  WriteRegistryValue(registry_, kHkeyCurrentUser, key_, "size", std::string("-2"), kRegDword);
  DWORD type = 0;
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, key_, "size", &type), std::string("\xFE\xFF\xFF\xFF", 4));
  EXPECT_EQ(type, DWORD{REG_DWORD});
  EXPECT_EQ(std::get<std::uint32_t>(ReadRegistryValue(registry_, kHkeyCurrentUser, key_, "size")),
            0xFFFFFFFEu);
  EXPECT_EQ(ReadRegistryString(registry_, kHkeyCurrentUser, key_, "size", "default"), "default");

  const BYTE binary[] = {1, 2, 3};
  RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), "binary", REG_BINARY, binary, sizeof binary);
  RegKey key = 0;
  ASSERT_EQ(registry_.OpenKey(kHkeyCurrentUser, key_, kKeyFullAccess, &key), kErrorSuccess);
  RegValue value = std::string("kept");
  EXPECT_EQ(QueryValueOnKey(registry_, key, "binary", value), -1);
  EXPECT_EQ(QueryValueOnKey(registry_, key, "missing", value), kErrorFileNotFound);
  EXPECT_EQ(std::get<std::string>(value), "kept");
  EXPECT_EQ(registry_.CloseKey(key), kErrorSuccess);

  DeleteRegistryValue(registry_, kHkeyCurrentUser, key_, "size");
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, key_, "size", &type), "<missing>");
  // Writing never makes a key.
  WriteRegistryValue(registry_, kHkeyCurrentUser, key_ + "\\none", "x", std::string("y"), kRegSz);
  EXPECT_EQ(registry_.OpenKey(kHkeyCurrentUser, key_ + "\\none", 0, &key), kErrorFileNotFound);
}

TEST_F(WindowsRegistryTest, ASmallBufferGetsTheSizeOfTheUtf8Text) {
  WriteRegistryValue(registry_, kHkeyCurrentUser, key_, "name", kHeiUtf8, kRegSz);
  RegKey key = 0;
  ASSERT_EQ(registry_.OpenKey(kHkeyCurrentUser, key_, 0, &key), kErrorSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(registry_.QueryValue(key, "name", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, kHeiUtf8.size() + 1);  // 13, where the ANSI text takes 9
  std::string small(kHeiAnsi.size() + 1, '\0');
  EXPECT_EQ(registry_.QueryValue(key, "name", &type, &small, &size), ERROR_MORE_DATA);
  registry_.CloseKey(key);
}

// The font tables of the system, with a test font registered in each for
// the test's time: the order the tables are asked in follows the name of
// the system.
// Wine lets every user open these keys with full access, so a user whom
// the system refuses them (every lookup then empty) cannot be shown here.
class WindowsFontTableTest : public WindowsRegistryTest {
 protected:
  void Register(const char* key, const std::string& name, const std::string& file) {
    WriteRegistryValue(registry_, kHkeyLocalMachine, key, name, file, kRegSz);
    registered_.push_back({key, name});
  }
  void TearDown() override {
    for (const auto& [key, name] : registered_)
      DeleteRegistryValue(registry_, kHkeyLocalMachine, key, name);
  }

  ScopedKey nt_{HKEY_LOCAL_MACHINE, kFontsNtKey};
  ScopedKey nineX_{HKEY_LOCAL_MACHINE, kFonts9xKey};
  ScopedKey substitutes_{HKEY_LOCAL_MACHINE, kFontSubstitutesKey};
  std::vector<std::pair<const char*, std::string>> registered_;
};

TEST_F(WindowsFontTableTest, EachSystemAsksItsTablesInItsOrder) {
  Register(kFontsNtKey, "Quillmere Test Sans (TrueType)", "QmTestSans-Regular.ttf");
  Register(kFontsNtKey, "Quillmere Test Sans", "QmTestSans.fon");
  Register(kFontsNtKey, "Quillmere Stand-in", "stand-in.fon");
  Register(kFontSubstitutesKey, "Quillmere Stand-in", "Quillmere Test Sans");
  Register(kFontsNtKey, kHeiUtf8 + " (TrueType)", " QmTestHei.ttf ");
  Register(kFonts9xKey, "Quillmere Test Sans", "QmTestSans-9x.fon");

  using catalogue::GetFontFileName;
  for (const std::string os : {"Win NT", "Win XP"}) {
    EXPECT_EQ(GetFontFileName(registry_, os, "Quillmere Test Sans"), "QmTestSans-Regular.ttf");
    EXPECT_EQ(GetFontFileName(registry_, os, "Quillmere Stand-in"), "Quillmere Test Sans");
    EXPECT_EQ(GetFontFileName(registry_, os, kHeiUtf8), "QmTestHei.ttf");
  }
  EXPECT_EQ(GetFontFileName(registry_, "Win 98", "Quillmere Test Sans"), "QmTestSans-9x.fon");
  EXPECT_EQ(GetFontFileName(registry_, "Win 98", "Quillmere Stand-in"), "");
  EXPECT_EQ(GetFontFileName(registry_, "Win32", "Quillmere Test Sans"), "QmTestSans-9x.fon");
  EXPECT_EQ(GetFontFileName(registry_, "", "Quillmere Stand-in"), "Quillmere Test Sans");
  EXPECT_EQ(GetFontFileName(registry_, "", kHeiUtf8), "QmTestHei.ttf");

  // The system's own bitmap font, registered under its plain name.
  EXPECT_EQ(GetFontFileName(registry_, "Win XP", "Courier"), "coure.fon");
}

}  // namespace
}  // namespace qm::platform
