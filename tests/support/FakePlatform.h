// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A platform whose installed families and registry the test chooses.

#include <functional>

#include "core/platform/Platform.h"
#include "support/FakeRegistry.h"

namespace qm::test {

class FakePlatform : public platform::Platform {
 public:
  std::vector<platform::InstalledFamily> families;
  FakeRegistry registry;
  std::function<void()> whileReading;  // runs inside every read of the families
  int reads = 0;

  void SetFamilyNames(const std::vector<std::string>& names) {
    families.clear();
    for (const std::string& name : names) families.push_back({name, {}});
  }

  platform::RegistryApi& Registry() override { return registry; }
  std::vector<platform::InstalledFamily> InstalledFamilies() override {
    ++reads;
    if (whileReading) whileReading();
    return families;
  }
  platform::OsDescription DescribeOs() override { return {"", "操作系统：Test System V1.0"}; }
  std::string GetWindowsFolder() override { return "/nonexistent/windows"; }
  std::string GetSystemFolder() override { return "/nonexistent/system"; }
  std::vector<std::string> FontFolders() override { return folders; }
  std::vector<platform::InstalledFontFile> InstalledFontFiles() override { return fontFiles; }
  void ShellOpen(const std::string& target) override { opened.push_back(target); }
  // A family's face is the file the test gave it, in every style.
  platform::FaceLocation StyledFaceOf(const std::string& name, bool, bool) override {
    for (const platform::InstalledFamily& family : families)
      if (family.name == name) return {family.file, family.faceIndex};
    return {};
  }

  std::vector<std::string> folders;
  std::vector<platform::InstalledFontFile> fontFiles;
  std::vector<std::string> opened;
};

}  // namespace qm::test
