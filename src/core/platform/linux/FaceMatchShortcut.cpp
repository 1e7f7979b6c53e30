// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/FaceMatchShortcut.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <string>
#include <unordered_map>

namespace qm::platform {
namespace {

std::atomic<bool> shortcutEnabled{false};

// The fonts of one font set by file and face index. The set is known by its
// address and size only, so a font found is checked against the request: a
// new set at an old address makes the index be built anew.
class InstalledFaceIndex {
 public:
  FcPattern* Find(FcFontSet* set, const char* file, int index) {
    if (set == nullptr) return nullptr;
    std::lock_guard lock(mutex_);
    if (set != set_ || set->nfont != size_) Rebuild(set);
    FcPattern* font = Lookup(file, index);
    if (font != nullptr) return font;
    Rebuild(set);  // perhaps a new set where an old one was
    return Lookup(file, index);
  }

 private:
  static std::string Key(const char* file, int index) {
    return std::string(file) + '\n' + std::to_string(index);
  }

  static bool Names(FcPattern* font, const char* file, int index) {
    FcChar8* fontFile = nullptr;
    int fontIndex = 0;
    return FcPatternGetString(font, FC_FILE, 0, &fontFile) == FcResultMatch &&
           FcPatternGetInteger(font, FC_INDEX, 0, &fontIndex) == FcResultMatch &&
           fontIndex == index && std::string(reinterpret_cast<const char*>(fontFile)) == file;
  }

  FcPattern* Lookup(const char* file, int index) const {
    const auto found = positions_.find(Key(file, index));
    if (found == positions_.end() || found->second >= set_->nfont) return nullptr;
    FcPattern* font = set_->fonts[found->second];
    return Names(font, file, index) ? font : nullptr;
  }

  void Rebuild(FcFontSet* set) {
    positions_.clear();
    set_ = set;
    size_ = set->nfont;
    for (int position = 0; position < size_; ++position) {
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetString(set->fonts[position], FC_FILE, 0, &file) == FcResultMatch &&
          FcPatternGetInteger(set->fonts[position], FC_INDEX, 0, &index) == FcResultMatch)
        positions_.emplace(Key(reinterpret_cast<const char*>(file), index), position);
    }
  }

  std::mutex mutex_;
  FcFontSet* set_ = nullptr;
  int size_ = -1;
  std::unordered_map<std::string, int> positions_;
};

InstalledFaceIndex& FaceIndex() {
  static InstalledFaceIndex index;
  return index;
}

// The pattern's one file and index, when it names exactly one of each.
bool NamedFace(FcPattern* pattern, const char** file, int* index) {
  FcChar8* named = nullptr;
  FcValue other;
  if (FcPatternGetString(pattern, FC_FILE, 0, &named) != FcResultMatch ||
      FcPatternGet(pattern, FC_FILE, 1, &other) == FcResultMatch ||
      FcPatternGetInteger(pattern, FC_INDEX, 0, index) != FcResultMatch)
    return false;
  *file = reinterpret_cast<const char*>(named);
  return true;
}

// What fontconfig's match returns for a pattern that names an installed
// font: the pattern prepared against that font. Null when the pattern names
// none or the font is not among the installed ones.
FcPattern* MatchNamedFace(FcConfig* config, FcPattern* pattern, FcResult* result) {
  const char* file = nullptr;
  int index = 0;
  if (!NamedFace(pattern, &file, &index)) return nullptr;
  FcConfig* held = FcConfigReference(config);  // the current one for null
  if (held == nullptr) return nullptr;
  FcPattern* prepared = nullptr;
  if (FcPattern* font = FaceIndex().Find(FcConfigGetFonts(held, FcSetSystem), file, index)) {
    prepared = FcFontRenderPrepare(held, pattern, font);
    if (prepared != nullptr) *result = FcResultMatch;
  }
  FcConfigDestroy(held);
  return prepared;
}

}  // namespace

void EnableFaceMatchShortcut() { shortcutEnabled = true; }

FcPattern* FontconfigOwnMatch(FcConfig* config, FcPattern* pattern, FcResult* result) {
  using Match = FcPattern* (*)(FcConfig*, FcPattern*, FcResult*);
  static const auto own = reinterpret_cast<Match>(dlsym(RTLD_NEXT, "FcFontMatch"));
  if (own == nullptr) {
    *result = FcResultNoMatch;
    return nullptr;
  }
  return own(config, pattern, result);
}

}  // namespace qm::platform

// Defined in the program, so it stands in for fontconfig's own for every
// caller in the process, the toolkit included.
extern "C" FcPattern* FcFontMatch(FcConfig* config, FcPattern* pattern, FcResult* result) {
  if (qm::platform::shortcutEnabled)
    if (FcPattern* prepared = qm::platform::MatchNamedFace(config, pattern, result))
      return prepared;
  return qm::platform::FontconfigOwnMatch(config, pattern, result);
}
