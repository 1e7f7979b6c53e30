// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform on a Linux desktop: fonts from fontconfig, the user's fonts
// folder from the XDG base directories, the system's name from os-release.

#include <map>
#include <memory>
#include <set>
#include <string>

#include "core/platform/Platform.h"
#include "core/platform/linux/FontFolderGuard.h"
#include "core/platform/linux/FontRegistryView.h"
#include "core/platform/linux/FontconfigFaces.h"
#include "core/platform/linux/LinuxFontResources.h"

namespace qm::platform {

class LinuxPlatform : public Platform {
 public:
  // language chooses which of a font's names is shown ("zh_CN.UTF-8");
  // empty means the user's locale from the environment. The user's font
  // folders are guarded at once, before anything asks fontconfig.
  explicit LinuxPlatform(std::string language = {});

  RegistryApi& Registry() override;
  std::vector<InstalledFamily> InstalledFamilies() override;
  OsDescription DescribeOs() override;
  // There is no Windows folder here: the nearest equivalents are the
  // system's shared data folder and its font folder.
  std::string GetWindowsFolder() override { return "/usr/share"; }
  std::string GetSystemFolder() override { return "/usr/share/fonts"; }
  std::string GenericFamily(const std::string& generic, const std::string& language) override {
    return fontconfig_.GenericFamily(generic, language);
  }
  void ShareFontConfiguration() override { fontconfig_.ShareWithProcess(); }
  const CodePointSet& CharactersOf(const std::string& familyName) override;
  FaceLocation StyledFaceOf(const std::string& familyName, bool bold, bool italic) override;
  std::vector<char32_t> CodePageCharacters(const std::string& codePage) override;
  // The user's fonts folder first, then the others fontconfig scans.
  std::vector<std::string> FontFolders() override;
  std::vector<InstalledFontFile> InstalledFontFiles() override;
  std::vector<std::string> UserFontFolders() override { return platform::UserFontFolders(); }
  std::vector<std::string> FacesInFile(const std::string& path) override {
    return FacesOfFile(path);
  }
  void ShellOpen(const std::string& target) override;

  // The program that opens things for the desktop (tests give their own).
  void SetOpener(std::string opener) { opener_ = std::move(opener); }

 private:
  void Reload();
  // Keeps fontconfig from opening what cannot be a font file in the user's
  // font folders; tells on standard error the first time each is skipped.
  void GuardFontFolders();

  std::string language_;
  std::string opener_ = "xdg-open";
  FontconfigFaces fontconfig_;
  FontRegistryView registry_;
  bool loaded_ = false;
  std::set<std::string> reported_;
  std::map<std::size_t, CodePointSet> characters_;  // by face, read when first asked
  std::unique_ptr<FifoReleaser> fifoReleaser_;      // while FIFOs are in the font folders
};

// $XDG_DATA_HOME/fonts, or ~/.local/share/fonts: where a Linux desktop
// installs the fonts of one user. A relative XDG_DATA_HOME counts as unset;
// without an absolute HOME the password database gives the home folder.
// Empty when no home folder can be found.
std::string UserFontsFolder();

// $HOME when absolute, else the user's home from the password database;
// empty when neither is.
std::string HomeFolder();

// Makes the process follow the XDG rules, for the toolkit and fontconfig
// too: relative XDG folder variables are removed, and a missing or
// relative HOME is set from the password database.
void NormaliseUserFolderVariables();

// Makes the user's fonts folder, with its parents only when it lies inside
// an existing home folder; elsewhere only the folder itself, in a parent
// that exists.
void MakeUserFontsFolder();

// The locale that decides the language of messages: LC_ALL, LC_MESSAGES, LANG.
std::string UserLanguage();

// PRETTY_NAME of an os-release file's text, without quotes; empty if absent.
std::string PrettyNameFromOsRelease(const std::string& osReleaseText);

}  // namespace qm::platform
