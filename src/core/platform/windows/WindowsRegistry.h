// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real registry through its ANSI calls: names and texts are turned
// from UTF-8 into the ANSI code page on the way in and back on the way out.

#include "core/platform/Registry.h"

namespace qm::platform {

class WindowsRegistry : public RegistryApi {
 public:
  // Access 0 opens the key as the plain open call does, with the rights
  // the user has; any other mask is asked for as given.
  long OpenKey(RegKey root, const std::string& subKey, std::uint32_t access,
               RegKey* opened) override;
  // Text is reported and returned as UTF-8 with its terminating zero; a
  // buffer smaller than that gives ERROR_MORE_DATA and the size needed.
  long QueryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::string* data,
                  std::uint32_t* byteSize) override;
  long SetValue(RegKey key, const std::string& valueName, std::uint32_t type,
                const std::string& data) override;
  long DeleteValue(RegKey key, const std::string& valueName) override;
  long CloseKey(RegKey key) override;
};

}  // namespace qm::platform
