#include "platform/linux/LinuxPlatform.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/OsNaming.h"

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

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<LinuxPlatform>(); }

std::string UserFontsFolder() {
  std::string dataHome = EnvironmentValue("XDG_DATA_HOME");
  if (dataHome.empty()) dataHome = EnvironmentValue("HOME") + "/.local/share";
  return dataHome + "/fonts";
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
    : language_(language.empty() ? UserLanguage() : std::move(language)) {}

void LinuxPlatform::Reload() {
  registry_.Load(fontconfig_.Reload(), UserFontsFolder(),
                 [this](const std::string& name) { return fontconfig_.SubstitutesFor(name); });
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

OsDescription LinuxPlatform::DescribeOs() {
  std::string system = PrettyNameFromOsRelease(FileText("/etc/os-release"));
  if (system.empty()) system = PrettyNameFromOsRelease(FileText("/usr/lib/os-release"));
  utsname kernel{};
  const std::string release = uname(&kernel) == 0 ? kernel.release : "";
  // None of the Windows names applies, so the font tables are asked in the
  // order used for any other system.
  return {"", app::OsCaptionFor(system.empty() ? "Linux" : system, release)};
}

}  // namespace qm::platform
