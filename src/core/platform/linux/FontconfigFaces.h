// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The installed faces as fontconfig lists them, read from a configuration
// of our own so that each read sees fonts installed since the last one.

#include <cstddef>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/CodePointSet.h"

struct _FcConfig;
struct _FcPattern;

namespace qm::platform {

class FontconfigAliases;

struct FamilyName {
  std::string name;
  std::string language;  // fontconfig's language tag, e.g. "en" or "zh-cn"; may be empty
  std::string style;     // the style name listed at the same place; empty when there is none
};

// What one font file may cost: names a person can use are few, and a
// collection of thousands of faces is no one's font.
inline constexpr int kMaxNamesPerFace = 16;
inline constexpr int kMaxFacesPerFile = 256;

struct FontFace {
  std::vector<FamilyName> families;  // the face's first kMaxNamesPerFace family names
  std::string file;
  int index = 0;        // fontconfig's: the face in the file, and a named instance above 16 bits
  int weight = 80;      // fontconfig's scale: 80 is regular
  int slant = 0;        // 0 is upright
  int width = 100;      // 100 is normal
  bool outline = true;  // TrueType or CFF outlines, not a bitmap font
};

class FontconfigFaces {
 public:
  FontconfigFaces();
  ~FontconfigFaces();
  FontconfigFaces(const FontconfigFaces&) = delete;
  FontconfigFaces& operator=(const FontconfigFaces&) = delete;

  // Loads the configuration anew (or keeps the one loaded for a question
  // since the last Reload, while nothing it read has changed) and lists
  // every face it knows, up to kMaxFacesPerFile of each file.
  std::vector<FontFace> Reload();
  // The faces the last Reload left out, by file.
  const std::map<std::string, int>& FacesLeftOut() const { return facesLeftOut_; }

  // Of the faces of the last Reload at the given positions, the one
  // fontconfig gives a request for familyName, all of them carrying it.
  std::size_t MatchAmong(const std::string& familyName,
                         const std::vector<std::size_t>& candidates) const;
  // The same for a request that asks for bold and/or italic as well.
  std::size_t MatchStyledAmong(const std::string& familyName,
                               const std::vector<std::size_t>& candidates, bool bold,
                               bool italic) const;

  // The families the configuration's aliases for a name give, directly or
  // through aliases of those, in the order fontconfig tries them; empty
  // before the first Reload. Rules that apply to any name at all, such as
  // the fallback to a generic family, do not count.
  std::vector<std::string> SubstitutesFor(const std::string& familyName) const;

  // The family fontconfig draws a generic family ("serif") in for text of
  // a language ("zh-cn"), when its rules name one that is installed; empty
  // when only the general fallback would be left.
  std::string GenericFamily(const std::string& generic, const std::string& language);

  // Makes the configuration loaded now the process's current one, which
  // callers that name no configuration use (the toolkit among them).
  void ShareWithProcess();

  // The characters the face at a position of the last Reload declares.
  CodePointSet CharactersOf(std::size_t face) const;

  // The folders the configuration scans, subfolders included, in its order;
  // empty before the first Reload.
  std::vector<std::string> FontFolders() const;

 private:
  ::_FcConfig* Config();
  // Replaces config_ with a configuration loaded now; false when none loads.
  bool Load();
  // Whether config_ was loaded after the last Reload and nothing it read
  // (files, folders, the variables naming them) has changed since.
  bool LoadedUnchanged() const;
  // Of the candidates, the face fontconfig gives request (consumed).
  std::size_t MatchRequestAmong(::_FcPattern* request,
                                const std::vector<std::size_t>& candidates) const;

  ::_FcConfig* config_ = nullptr;
  std::time_t loadedAt_ = 0;
  std::string loadedEnvironment_;
  bool listed_ = false;                                 // whether a Reload has listed config_
  std::vector<::_FcPattern*> patterns_;                 // of the listed faces, owned by config_
  ::_FcPattern* request_ = nullptr;                     // a request as configured, without a family
  mutable std::unique_ptr<FontconfigAliases> aliases_;  // read when first needed
  std::map<std::string, int> facesLeftOut_;
};

}  // namespace qm::platform
