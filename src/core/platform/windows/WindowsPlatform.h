// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform on Windows: the real registry, the display's font families,
// the version the system reports and the shell's folders.

#include <map>
#include <string>
#include <vector>

#include "core/platform/Platform.h"
#include "core/platform/windows/WindowsRegistry.h"

namespace qm::platform {

class WindowsPlatform : public Platform {
 public:
  RegistryApi& Registry() override { return registry_; }
  // The families the display enumerates, in the user's language, each
  // once; the vertical-writing "@" forms are left out.
  std::vector<InstalledFamily> InstalledFamilies() override;
  OsDescription DescribeOs() override;
  std::string GetWindowsFolder() override;
  std::string GetSystemFolder() override;
  // The characters of the Basic Multilingual Plane the family's font
  // declares: GDI reports no others.
  const CodePointSet& CharactersOf(const std::string& familyName) override;
  // Through the system's conversion tables.
  std::vector<char32_t> CodePageCharacters(const std::string& codePage) override;
  // The fonts folder, and the user's own one where the system has it.
  std::vector<std::string> FontFolders() override;
  std::vector<std::string> UserFontFolders() override;
  void ShellOpen(const std::string& target) override;

 private:
  WindowsRegistry registry_;
  std::map<std::string, CodePointSet> characters_;  // by family name, until families are read again
};

}  // namespace qm::platform
