#include "core/platform/linux/FontconfigFaces.h"

#include <fontconfig/fontconfig.h>

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
  if (FcPatternGetDouble(pattern, object, 0, &real) == FcResultMatch)
    return static_cast<int>(real);
  return fallback;
}

FontFace FaceFromPattern(FcPattern* pattern) {
  FontFace face;
  for (int i = 0;; ++i) {
    std::string name = StringAt(pattern, FC_FAMILY, i);
    if (name.empty()) break;
    face.families.push_back({std::move(name), StringAt(pattern, FC_FAMILYLANG, i)});
  }
  face.file = StringAt(pattern, FC_FILE, 0);
  face.weight = IntegerOr(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
  face.slant = IntegerOr(pattern, FC_SLANT, FC_SLANT_ROMAN);
  face.width = IntegerOr(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
  FcBool outline = FcTrue;
  FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline);
  face.outline = outline == FcTrue;
  return face;
}

}  // namespace

FontconfigFaces::FontconfigFaces() = default;

FontconfigFaces::~FontconfigFaces() {
  if (config_) FcConfigDestroy(config_);
}

std::vector<FontFace> FontconfigFaces::Reload() {
  // A fresh configuration rescans the font folders (through the caches),
  // which the process-wide one would not do by itself.
  FcConfig* fresh = FcInitLoadConfigAndFonts();
  if (!fresh) return {};
  if (config_) FcConfigDestroy(config_);
  config_ = fresh;

  FcPattern* all = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_FILE, FC_WEIGHT, FC_SLANT,
                                          FC_WIDTH, FC_OUTLINE, nullptr);
  FcFontSet* set = FcFontList(config_, all, objects);
  std::vector<FontFace> faces;
  if (set) {
    faces.reserve(set->nfont);
    for (int i = 0; i < set->nfont; ++i) {
      FontFace face = FaceFromPattern(set->fonts[i]);
      if (!face.families.empty() && !face.file.empty()) faces.push_back(std::move(face));
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(all);
  return faces;
}

std::vector<std::string> FontconfigFaces::SubstitutesFor(const std::string& familyName) const {
  std::vector<std::string> names;
  if (!config_) return names;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyName.c_str()));
  FcConfigSubstitute(config_, pattern, FcMatchPattern);
  // Rules may put families before the name as well as after it.
  for (int i = 0;; ++i) {
    std::string name = StringAt(pattern, FC_FAMILY, i);
    if (name.empty()) break;
    if (name != familyName) names.push_back(std::move(name));
  }
  FcPatternDestroy(pattern);
  return names;
}

}  // namespace qm::platform

namespace qm::platform {

std::vector<std::string> FontconfigFaces::FontFolders() const {
  std::vector<std::string> folders;
  if (!config_) return folders;
  FcStrList* list = FcConfigGetFontDirs(config_);
  while (FcChar8* folder = FcStrListNext(list)) folders.emplace_back(reinterpret_cast<char*>(folder));
  FcStrListDone(list);
  return folders;
}

}  // namespace qm::platform
