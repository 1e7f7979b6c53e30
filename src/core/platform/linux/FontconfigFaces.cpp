// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/FontconfigFaces.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unordered_set>

#include "core/platform/linux/FontconfigAliases.h"

namespace qm::platform {
namespace {

std::string StringAt(FcPattern* pattern, const char* object, int index) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, index, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int IntegerOr(FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  if (FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch) return value;
  double real = 0;
  if (FcPatternGetDouble(pattern, object, 0, &real) == FcResultMatch) return static_cast<int>(real);
  return fallback;
}

FontFace FaceFromPattern(FcPattern* pattern) {
  FontFace face;
  for (int i = 0; i < kMaxNamesPerFace; ++i) {
    std::string name = StringAt(pattern, FC_FAMILY, i);
    if (name.empty()) break;
    face.families.push_back(
        {std::move(name), StringAt(pattern, FC_FAMILYLANG, i), StringAt(pattern, FC_STYLE, i)});
  }
  face.file = StringAt(pattern, FC_FILE, 0);
  face.index = IntegerOr(pattern, FC_INDEX, 0);
  face.weight = IntegerOr(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
  face.slant = IntegerOr(pattern, FC_SLANT, FC_SLANT_ROMAN);
  face.width = IntegerOr(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
  FcBool outline = FcTrue;
  FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline);
  face.outline = outline == FcTrue;
  return face;
}

// What the configuration makes of a request before matching (language,
// weight, width and the like), without the family, which each request adds.
FcPattern* ConfiguredRequest(FcConfig* config) {
  FcPattern* request = FcPatternCreate();
  FcConfigSubstitute(config, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcPatternDel(request, FC_FAMILY);
  return request;
}

void AddFamily(FcPattern* pattern, const std::string& family) {
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
}

std::vector<std::string> Families(FcPattern* pattern) {
  std::vector<std::string> names;
  for (int i = 0;; ++i) {
    std::string name = StringAt(pattern, FC_FAMILY, i);
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

// A request for family in text of language (any when empty), as the
// configuration's rules make it before matching.
FcPattern* SubstitutedRequest(FcConfig* config, const std::string& family,
                              const std::string& language) {
  FcPattern* pattern = FcPatternCreate();
  AddFamily(pattern, family);
  if (!language.empty())
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language.c_str()));
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  return pattern;
}

bool SameFace(FcPattern* a, FcPattern* b) {
  return StringAt(a, FC_FILE, 0) == StringAt(b, FC_FILE, 0) &&
         IntegerOr(a, FC_INDEX, 0) == IntegerOr(b, FC_INDEX, 0);
}

std::vector<std::string> ConfigurationFiles(FcConfig* config) {
  std::vector<std::string> files;
  FcStrList* list = FcConfigGetConfigFiles(config);
  while (FcChar8* file = FcStrListNext(list)) {
    std::error_code error;
    const char* path = reinterpret_cast<const char*>(file);
    if (std::filesystem::is_regular_file(path, error)) files.emplace_back(path);
  }
  FcStrListDone(list);
  return files;
}

// The variables that choose the files fontconfig reads.
std::string ConfigurationEnvironment() {
  std::string values;
  for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME",
                           "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
    const char* value = std::getenv(name);
    values.append(value ? value : "").push_back('\n');
  }
  return values;
}

// Whether any of paths (consumed) may have changed since a time: changed
// then or later, or up to a second before, as file times come from a coarse
// clock.
bool ChangedSince(FcStrList* paths, std::time_t since) {
  bool changed = false;
  while (FcChar8* path = FcStrListNext(paths)) {
    struct stat status {};
    if (stat(reinterpret_cast<const char*>(path), &status) == 0 && status.st_mtime >= since - 1)
      changed = true;
  }
  FcStrListDone(paths);
  return changed;
}

}  // namespace

FontconfigFaces::FontconfigFaces() = default;

FontconfigFaces::~FontconfigFaces() {
  if (request_) FcPatternDestroy(request_);
  if (config_) FcConfigDestroy(config_);
}

FcConfig* FontconfigFaces::Config() {
  if (!config_) Load();
  return config_;
}

bool FontconfigFaces::Load() {
  const std::time_t startedAt = std::time(nullptr);
  FcConfig* fresh = FcInitLoadConfigAndFonts();
  if (!fresh) return false;
  if (config_) FcConfigDestroy(config_);
  config_ = fresh;
  loadedAt_ = startedAt;
  loadedEnvironment_ = ConfigurationEnvironment();
  listed_ = false;
  return true;
}

bool FontconfigFaces::LoadedUnchanged() const {
  if (!config_ || listed_ || loadedEnvironment_ != ConfigurationEnvironment()) return false;
  return !ChangedSince(FcConfigGetConfigFiles(config_), loadedAt_) &&
         !ChangedSince(FcConfigGetConfigDirs(config_), loadedAt_) &&
         !ChangedSince(FcConfigGetFontDirs(config_), loadedAt_);
}

std::vector<FontFace> FontconfigFaces::Reload() {
  // A fresh configuration rescans the font folders (through the caches),
  // which the process-wide one would not do by itself. One loaded for a
  // question just before (start-up asks for generic families first) is as
  // fresh while nothing it read has changed; loading takes milliseconds.
  if (!LoadedUnchanged() && !Load()) return {};
  listed_ = true;
  if (request_) FcPatternDestroy(request_);
  request_ = ConfiguredRequest(config_);
  aliases_.reset();
  patterns_.clear();

  facesLeftOut_.clear();
  std::vector<FontFace> faces;
  for (FcSetName which : {FcSetSystem, FcSetApplication}) {
    FcFontSet* set = FcConfigGetFonts(config_, which);
    for (int i = 0; set && i < set->nfont; ++i) {
      // The low 16 bits number the face in its file; the high ones a variation.
      if ((IntegerOr(set->fonts[i], FC_INDEX, 0) & 0xFFFF) >= kMaxFacesPerFile) {
        ++facesLeftOut_[StringAt(set->fonts[i], FC_FILE, 0)];
        continue;
      }
      FontFace face = FaceFromPattern(set->fonts[i]);
      if (face.families.empty() || face.file.empty()) continue;
      faces.push_back(std::move(face));
      patterns_.push_back(set->fonts[i]);
    }
  }
  return faces;
}

std::size_t FontconfigFaces::MatchAmong(const std::string& familyName,
                                        const std::vector<std::size_t>& candidates) const {
  if (candidates.size() == 1) return candidates.front();
  FcPattern* request = FcPatternDuplicate(request_);
  AddFamily(request, familyName);
  return MatchRequestAmong(request, candidates);
}

std::size_t FontconfigFaces::MatchStyledAmong(const std::string& familyName,
                                              const std::vector<std::size_t>& candidates, bool bold,
                                              bool italic) const {
  if (candidates.size() == 1) return candidates.front();
  FcPattern* request = FcPatternDuplicate(request_);
  AddFamily(request, familyName);
  // The configured request asks for regular and roman; these replace that.
  if (bold) {
    FcPatternDel(request, FC_WEIGHT);
    FcPatternAddInteger(request, FC_WEIGHT, FC_WEIGHT_BOLD);
  }
  if (italic) {
    FcPatternDel(request, FC_SLANT);
    FcPatternAddInteger(request, FC_SLANT, FC_SLANT_ITALIC);
  }
  return MatchRequestAmong(request, candidates);
}

std::size_t FontconfigFaces::MatchRequestAmong(FcPattern* request,
                                               const std::vector<std::size_t>& candidates) const {
  // Unless a rule puts other families before the name, every face that
  // carries it beats every face that does not, so matching among these few
  // gives what matching among all would, at a fraction of the cost.
  std::vector<FcPattern*> fonts;
  for (std::size_t candidate : candidates) fonts.push_back(patterns_[candidate]);
  FcFontSet set{static_cast<int>(fonts.size()), static_cast<int>(fonts.size()), fonts.data()};
  FcFontSet* sets[] = {&set};
  FcResult result;
  FcPattern* match = FcFontSetMatch(config_, sets, 1, request, &result);
  FcPatternDestroy(request);
  std::size_t chosen = candidates.front();
  for (std::size_t candidate : candidates)
    if (match && SameFace(match, patterns_[candidate])) chosen = candidate;
  if (match) FcPatternDestroy(match);
  return chosen;
}

std::vector<std::string> FontconfigFaces::SubstitutesFor(const std::string& familyName) const {
  std::vector<std::string> names;
  if (!config_) return names;
  if (!aliases_) aliases_ = std::make_unique<FontconfigAliases>(ConfigurationFiles(config_));
  const std::unordered_set<std::string> named = aliases_->Reachable(familyName);
  // fontconfig's own order, keeping only the families the aliases give.
  std::unordered_set<std::string> seen{FamilyKey(familyName)};
  FcPattern* request = SubstitutedRequest(config_, familyName, {});
  for (std::string& name : Families(request)) {
    const std::string key = FamilyKey(name);
    if (named.count(key) && seen.insert(key).second) names.push_back(std::move(name));
  }
  FcPatternDestroy(request);
  return names;
}

std::string FontconfigFaces::GenericFamily(const std::string& generic,
                                           const std::string& language) {
  FcConfig* config = Config();
  if (!config) return {};
  FcPattern* request = SubstitutedRequest(config, generic, language);
  // A family counts only if a rule put it there for the generic name.
  std::unordered_set<std::string> named;
  for (const std::string& name : Families(request)) named.insert(FamilyKey(name));
  named.erase(FamilyKey(generic));
  FcDefaultSubstitute(request);
  FcResult result;
  FcPattern* match = FcFontMatch(config, request, &result);
  FcPatternDestroy(request);
  std::string family;
  if (match) {
    for (std::string& name : Families(match))
      if (named.count(FamilyKey(name))) {
        family = std::move(name);
        break;
      }
    FcPatternDestroy(match);
  }
  return family;
}

void FontconfigFaces::ShareWithProcess() {
  if (FcConfig* config = Config()) FcConfigSetCurrent(config);
}

CodePointSet FontconfigFaces::CharactersOf(std::size_t face) const {
  CodePointSet characters;
  FcCharSet* charset = nullptr;
  if (face >= patterns_.size() ||
      FcPatternGetCharSet(patterns_[face], FC_CHARSET, 0, &charset) != FcResultMatch)
    return characters;
  // fontconfig hands its set out page by page: 256 characters as 8 words.
  FcChar32 bits[FC_CHARSET_MAP_SIZE];
  FcChar32 next = 0;
  for (FcChar32 base = FcCharSetFirstPage(charset, bits, &next); base != FC_CHARSET_DONE;
       base = FcCharSetNextPage(charset, bits, &next)) {
    CodePointSet::PageBits page;
    std::copy(std::begin(bits), std::end(bits), page.begin());
    characters.AddPage(base, page);
  }
  return characters;
}

std::vector<std::string> FontconfigFaces::FontFolders() const {
  std::vector<std::string> folders;
  if (!config_) return folders;
  FcStrList* list = FcConfigGetFontDirs(config_);
  while (FcChar8* folder = FcStrListNext(list))
    folders.emplace_back(reinterpret_cast<char*>(folder));
  FcStrListDone(list);
  return folders;
}

}  // namespace qm::platform
