// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/LinuxPlatform.h"

#include <fontconfig/fontconfig.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/catalogue/FamilyNames.h"
#include "core/platform/linux/CodePages.h"
#include "core/system/OsNaming.h"

namespace qm::platform {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string FileText(const char* path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Unquoted(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::unique_ptr<Platform> CreatePlatform() {
  NormaliseUserFolderVariables();
  return std::make_unique<LinuxPlatform>();
}

void NormaliseUserFolderVariables() {
  for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                           "XDG_RUNTIME_DIR"}) {
    const std::string value = EnvironmentValue(name);
    if (!value.empty() && value.front() != '/') unsetenv(name);
  }
  if (const std::string home = HomeFolder(); home.empty())
    unsetenv("HOME");
  else
    setenv("HOME", home.c_str(), 1);
}

std::string HomeFolder() {
  const std::string home = EnvironmentValue("HOME");
  if (!home.empty() && home.front() == '/') return home;
  const passwd* user = getpwuid(getuid());
  const std::string fromPasswd = user && user->pw_dir ? user->pw_dir : "";
  return !fromPasswd.empty() && fromPasswd.front() == '/' ? fromPasswd : "";
}

std::string UserFontsFolder() {
  // A relative XDG folder is to be ignored: it would depend on the working folder.
  const std::string dataHome = EnvironmentValue("XDG_DATA_HOME");
  if (!dataHome.empty() && dataHome.front() == '/') return dataHome + "/fonts";
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share/fonts";
}

void MakeUserFontsFolder() {
  // Made only inside a home that exists, or in a data folder that exists:
  // never a tree of folders anywhere else.
  const std::filesystem::path folder = UserFontsFolder();
  const std::string home = HomeFolder();
  std::error_code ignored;
  const bool inHome = !home.empty() && home != "/" &&
                      std::filesystem::is_directory(home, ignored) &&
                      folder.string().starts_with(home + "/");
  if (inHome)
    std::filesystem::create_directories(folder, ignored);
  else if (!folder.empty() && std::filesystem::is_directory(folder.parent_path(), ignored))
    std::filesystem::create_directory(folder, ignored);
}

std::string UserLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    std::string value = EnvironmentValue(name);
    if (!value.empty()) return value;
  }
  return {};
}

std::string PrettyNameFromOsRelease(const std::string& osReleaseText) {
  std::istringstream lines(osReleaseText);
  const std::string key = "PRETTY_NAME=";
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key, 0) == 0) return Unquoted(line.substr(key.size()));
  }
  return {};
}

LinuxPlatform::LinuxPlatform(std::string language)
    : language_(language.empty() ? UserLanguage() : std::move(language)) {
  GuardFontFolders();
}

void LinuxPlatform::GuardFontFolders() {
  const std::vector<UnsafeEntry> unsafe = GuardUserFontFolders();
  std::vector<std::string> fifos;
  for (const UnsafeEntry& entry : unsafe)
    if (entry.isFifo) fifos.push_back(entry.path);
  if (fifos.empty())
    fifoReleaser_.reset();
  else if (!fifoReleaser_ || fifoReleaser_->Fifos() != fifos)
    fifoReleaser_ = std::make_unique<FifoReleaser>(std::move(fifos));
  for (const UnsafeEntry& entry : unsafe) {
    if (!reported_.insert(entry.path).second) continue;
    std::cerr << "Quillmere：跳过不是字体文件的 " << catalogue::ShownFamilyName(entry.path) << "："
              << entry.reason << " / skipped, not a font file\n";
  }
}

void LinuxPlatform::Reload() {
  // The user's fonts folder is where new fonts go; have it there to show.
  MakeUserFontsFolder();
  GuardFontFolders();
  std::vector<FontFace> faces = fontconfig_.Reload();
  for (const auto& [file, count] : fontconfig_.FacesLeftOut()) {
    if (!reported_.insert(file).second) continue;
    std::cerr << "Quillmere：" << catalogue::ShownFamilyName(file) << " 只列出前 "
              << kMaxFacesPerFile << " 个字体，略去 " << count << " 个 / only the first "
              << kMaxFacesPerFile << " faces listed, " << count << " left out\n";
  }
  registry_.Load(
      std::move(faces), UserFontsFolder(),
      [this](const std::string& name) { return fontconfig_.SubstitutesFor(name); },
      [this](const std::string& name, const std::vector<std::size_t>& candidates) {
        return fontconfig_.MatchAmong(name, candidates);
      });
  characters_.clear();
  loaded_ = true;
}

RegistryApi& LinuxPlatform::Registry() {
  if (!loaded_) Reload();
  return registry_;
}

std::vector<InstalledFamily> LinuxPlatform::InstalledFamilies() {
  Reload();
  return DisplayFamilies(registry_, language_);
}

std::vector<InstalledFontFile> LinuxPlatform::InstalledFontFiles() {
  Reload();
  return FontFilesOf(registry_.Faces(), language_);
}

OsDescription LinuxPlatform::DescribeOs() {
  std::string system = PrettyNameFromOsRelease(FileText("/etc/os-release"));
  if (system.empty()) system = PrettyNameFromOsRelease(FileText("/usr/lib/os-release"));
  utsname kernel{};
  const std::string release = uname(&kernel) == 0 ? kernel.release : "";
  // None of the Windows names applies, so the font tables are asked in the
  // order used for any other system.
  return {"", system::OsCaptionFor(system.empty() ? "Linux" : system, release)};
}

}  // namespace qm::platform

namespace qm::platform {

std::vector<std::string> LinuxPlatform::FontFolders() {
  if (!loaded_) Reload();
  std::vector<std::string> folders;
  if (const std::string user = UserFontsFolder(); !user.empty()) folders.push_back(user);
  for (std::string folder : fontconfig_.FontFolders()) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(std::move(folder));
  }
  return folders;
}

const CodePointSet& LinuxPlatform::CharactersOf(const std::string& familyName) {
  if (!loaded_) Reload();
  const FontFace* face = registry_.FaceOf(familyName);
  const std::size_t index =
      face ? static_cast<std::size_t>(face - registry_.Faces().data()) : registry_.Faces().size();
  const auto known = characters_.find(index);
  if (known != characters_.end()) return known->second;
  return characters_[index] = fontconfig_.CharactersOf(index);
}

FaceLocation LinuxPlatform::StyledFaceOf(const std::string& familyName, bool bold, bool italic) {
  if (!loaded_) Reload();
  // Matched among the name's own faces only: few, so fast enough for every
  // line drawn.
  const std::vector<std::size_t>& candidates = registry_.FacesCarrying(familyName);
  if (candidates.empty()) return {};
  const FontFace& face =
      registry_.Faces()[fontconfig_.MatchStyledAmong(familyName, candidates, bold, italic)];
  return {face.file, face.index, bold && face.weight < FC_WEIGHT_DEMIBOLD,
          italic && face.slant == FC_SLANT_ROMAN};
}

std::vector<char32_t> LinuxPlatform::CodePageCharacters(const std::string& codePage) {
  return platform::CodePageCharacters(codePage);
}

void LinuxPlatform::ShellOpen(const std::string& target) {
  // The opener runs in a grandchild that nobody waits for, so it neither
  // blocks the window nor is left behind as a zombie.
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      execlp(opener_.c_str(), opener_.c_str(), target.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(0);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

}  // namespace qm::platform
