// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/LinuxFontResources.h"

#include <fontconfig/fontconfig.h>

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
  // Installing fills this in: it takes the file's unloaded entry out again.
  return std::vector<int>(paths.size(), 0);
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
