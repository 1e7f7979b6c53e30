// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry as the program sees it: keys under two roots, values of
// type text or 32-bit integer, Win32 result codes. A Windows backend wraps
// the real registry; the Linux backend offers a read-only view of the
// system's font state. All text is UTF-8.

#include <cstdint>
#include <string>
#include <variant>

namespace qm::platform {

using RegKey = std::uintptr_t;

inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

// Access mask that asks for full access (KEY_ALL_ACCESS without the
// standard rights), as the registry procedures request it.
inline constexpr std::uint32_t kKeyFullAccess = 0x3F;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidParameter = 87;

// A value read from the registry: nothing, text or a 32-bit integer.
using RegValue = std::variant<std::monostate, std::string, std::uint32_t>;

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  virtual long OpenKey(RegKey root, const std::string& subKey, std::uint32_t access,
                       RegKey* opened) = 0;
  // With data == nullptr only type and byte size are reported, as the first
  // of the two calls a caller makes to size its buffer. The byte size of a
  // text counts its terminating zero.
  virtual long QueryValue(RegKey key, const std::string& valueName, std::uint32_t* type,
                          std::string* data, std::uint32_t* byteSize) = 0;
  virtual long SetValue(RegKey key, const std::string& valueName, std::uint32_t type,
                        const std::string& data) = 0;
  virtual long DeleteValue(RegKey key, const std::string& valueName) = 0;
  virtual long CloseKey(RegKey key) = 0;
};

}  // namespace qm::platform
