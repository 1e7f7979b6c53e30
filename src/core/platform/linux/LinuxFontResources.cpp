// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/LinuxFontResources.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <map>
#include <set>

#include "core/platform/linux/FontconfigFaces.h"

namespace qm::platform {
namespace {

using Group = ProgramFontconfigFile::Group;

bool Lists(FcConfig* config, const std::string& path) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(path.c_str()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
  FcFontSet* found = FcFontList(config, pattern, objects);
  const bool listed = found && found->nfont > 0;
  if (found) FcFontSetDestroy(found);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return listed;
}

// Every file the configuration lists, with the number of its faces.
std::map<std::string, int> ListedFiles(FcConfig* config) {
  std::map<std::string, int> files;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
  FcFontSet* found = FcFontList(config, pattern, objects);
  for (int i = 0; found && i < found->nfont; ++i) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(found->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
      ++files[reinterpret_cast<const char*>(file)];
  }
  if (found) FcFontSetDestroy(found);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return files;
}

// What a fresh configuration lists; loading it rescans every font folder
// whose cache is out of date and writes the new cache for every program.
std::map<std::string, int> ListedFilesAfresh() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return {};
  std::map<std::string, int> files = ListedFiles(config);
  FcConfigDestroy(config);
  return files;
}

// The file a path leads to, through links; the path itself when it leads nowhere.
std::string Target(const std::string& path) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

}  // namespace

std::unique_ptr<FontResources> CreateFontResources() {
  return std::make_unique<LinuxFontResources>();
}

std::vector<bool> ListedByFontconfig(const std::vector<std::string>& paths) {
  std::vector<bool> listed(paths.size(), false);
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return listed;
  for (std::size_t i = 0; i < paths.size(); ++i) listed[i] = Lists(config, paths[i]);
  FcConfigDestroy(config);
  return listed;
}

std::vector<std::string> FacesOfFile(const std::string& path) {
  std::vector<std::string> faces;
  FcFontSet* set = FcFontSetCreate();
  FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(path.c_str()), ~0u, nullptr, nullptr, set);
  for (int i = 0; i < set->nfont && i < kMaxFacesPerFile; ++i) {
    FcChar8* family = nullptr;
    FcChar8* style = nullptr;
    FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family);
    FcPatternGetString(set->fonts[i], FC_STYLE, 0, &style);
    std::string face = family ? reinterpret_cast<const char*>(family) : "";
    if (style)
      face += (face.empty() ? "" : " ") + std::string(reinterpret_cast<const char*>(style));
    faces.push_back(std::move(face));
  }
  FcFontSetDestroy(set);
  return faces;
}

std::vector<int> LinuxFontResources::AddFontResources(const std::vector<std::string>& paths) {
  std::vector<int> results(paths.size(), 0);
  if (paths.empty()) return results;
  // An installed file is no longer unloaded, nor is the file a link leads to.
  std::vector<std::string> entries = paths;
  for (const std::string& path : paths) entries.push_back(Target(path));
  file_.Remove(Group::kUnloaded, entries);
  const std::map<std::string, int> listed = ListedFilesAfresh();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string target = Target(paths[i]);
    // A link to a file listed where it lies adds nothing new.
    if (target != paths[i] && listed.contains(target)) continue;
    if (const auto faces = listed.find(paths[i]); faces != listed.end()) results[i] = faces->second;
  }
  return results;
}

std::vector<int> LinuxFontResources::RemoveFontResources(const std::vector<std::string>& paths) {
  std::vector<int> results(paths.size(), 0);
  const std::vector<bool> before = ListedByFontconfig(paths);
  std::vector<std::string> listed;
  for (std::size_t i = 0; i < paths.size(); ++i)
    if (before[i]) listed.push_back(paths[i]);
  if (listed.empty() || !file_.Add(Group::kUnloaded, listed)) return results;
  const std::vector<bool> after = ListedByFontconfig(paths);
  std::vector<std::string> stillListed;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    results[i] = before[i] && !after[i] ? 1 : 0;
    if (before[i] && after[i]) stillListed.push_back(paths[i]);
  }
  // An entry that did not take leaves the file listing only what it unloaded.
  if (!stillListed.empty()) file_.Remove(Group::kUnloaded, stillListed);
  return results;
}

}  // namespace qm::platform
