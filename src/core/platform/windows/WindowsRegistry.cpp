// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/windows/WindowsRegistry.h"

#include <windows.h>

#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

// The interface numbers the two roots as 32-bit Windows does; a 64-bit
// handle of a root is that number sign-extended.
HKEY ToHkey(RegKey key) {
  if (key == kHkeyCurrentUser) return HKEY_CURRENT_USER;
  if (key == kHkeyLocalMachine) return HKEY_LOCAL_MACHINE;
  return reinterpret_cast<HKEY>(key);
}

// The raw bytes of one value, read in one go after asking for the size.
long ReadRaw(HKEY key, const std::string& ansiName, DWORD* type, std::string* bytes) {
  DWORD size = 0;
  LONG result = RegQueryValueExA(key, ansiName.c_str(), nullptr, type, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  bytes->assign(size, '\0');
  result = RegQueryValueExA(key, ansiName.c_str(), nullptr, type,
                            reinterpret_cast<BYTE*>(bytes->data()), &size);
  bytes->resize(size);
  return result;
}

}  // namespace

long WindowsRegistry::OpenKey(RegKey root, const std::string& subKey, std::uint32_t access,
                              RegKey* opened) {
  HKEY key = nullptr;
  const std::string ansiKey = AnsiFromUtf8(subKey);
  const LONG result = access == 0 ? RegOpenKeyA(ToHkey(root), ansiKey.c_str(), &key)
                                  : RegOpenKeyExA(ToHkey(root), ansiKey.c_str(), 0, access, &key);
  if (result == ERROR_SUCCESS) *opened = reinterpret_cast<RegKey>(key);
  return result;
}

long WindowsRegistry::QueryValue(RegKey key, const std::string& valueName, std::uint32_t* type,
                                 std::string* data, std::uint32_t* byteSize) {
  DWORD rawType = 0;
  std::string bytes;
  const long result = ReadRaw(ToHkey(key), AnsiFromUtf8(valueName), &rawType, &bytes);
  if (result != ERROR_SUCCESS) return result;
  // The ANSI text becomes UTF-8, whose length differs for Chinese text.
  if (rawType == REG_SZ) bytes = Utf8FromAnsi(bytes.substr(0, bytes.find('\0'))) + '\0';
  *type = rawType;
  *byteSize = static_cast<std::uint32_t>(bytes.size());
  if (!data) return ERROR_SUCCESS;
  if (data->size() < bytes.size()) return ERROR_MORE_DATA;
  data->replace(0, bytes.size(), bytes);
  return ERROR_SUCCESS;
}

long WindowsRegistry::SetValue(RegKey key, const std::string& valueName, std::uint32_t type,
                               const std::string& data) {
  const std::string bytes = type == REG_SZ ? AnsiFromUtf8(data) : data;
  return RegSetValueExA(ToHkey(key), AnsiFromUtf8(valueName).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

long WindowsRegistry::DeleteValue(RegKey key, const std::string& valueName) {
  return RegDeleteValueA(ToHkey(key), AnsiFromUtf8(valueName).c_str());
}

long WindowsRegistry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace qm::platform
