// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read-only registry made from the installed faces: the fonts folder of
// the user, the font tables (one value per family name) and the family
// substitutes; besides, the system information program found on PATH.
// Writes are refused with "access denied", as nothing on this system keeps
// such tables.

#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/platform/Platform.h"
#include "core/platform/Registry.h"
#include "core/platform/linux/FontconfigFaces.h"

namespace qm::platform {

class FontRegistryView : public RegistryApi {
 public:
  using SubstituteSource = std::function<std::vector<std::string>(const std::string&)>;
  // Of the faces at the given positions, all carrying the name, the one a
  // request for the name gets.
  using FaceChooser =
      std::function<std::size_t(const std::string&, const std::vector<std::size_t>&)>;

  // Replaces what the view shows. fontsFolder has no trailing separator.
  void Load(std::vector<FontFace> faces, const std::string& fontsFolder,
            SubstituteSource substitutes, const FaceChooser& choose);

  // The face a family name draws in; null when no face carries the name.
  const FontFace* FaceOf(const std::string& familyName) const;
  // The positions in Faces() of every face carrying a family name; empty
  // when none does.
  const std::vector<std::size_t>& FacesCarrying(const std::string& familyName) const;
  const std::vector<FontFace>& Faces() const { return faces_; }

  long OpenKey(RegKey root, const std::string& subKey, std::uint32_t access,
               RegKey* opened) override;
  long QueryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::string* data,
                  std::uint32_t* byteSize) override;
  long SetValue(RegKey key, const std::string& valueName, std::uint32_t type,
                const std::string& data) override;
  long DeleteValue(RegKey key, const std::string& valueName) override;
  long CloseKey(RegKey key) override;

 private:
  enum class KeyKind { ShellFolders, FontTable, Substitutes, SysInfo };
  struct Family {
    std::string name;  // as the font spells it
    const FontFace* face = nullptr;
  };

  std::string TextOf(KeyKind kind, const std::string& valueName) const;
  std::string FontTableText(const std::string& valueName) const;
  std::string SubstituteText(const std::string& familyName) const;
  std::string RegistryPath(const std::string& file) const;

  std::vector<FontFace> faces_;
  std::string fontsFolder_;
  SubstituteSource substitutes_;
  std::unordered_map<std::string, Family> families_;                    // by name in lower case
  std::unordered_map<std::string, std::vector<std::size_t>> carriers_;  // by name in lower case
  std::map<RegKey, KeyKind> openKeys_;
  RegKey nextKey_ = 1;
};

// The first of the desktop's system information programs found on PATH, as
// a full path; empty when none is.
std::string SysInfoTool();

// The installed families, each under the names a user of the given language
// reads (a face's names in that language when it has any, else the names in
// the language of its first name), with the face each name draws in.
// language is a locale such as "zh_CN.UTF-8" or a tag such as "zh-cn".
std::vector<InstalledFamily> DisplayFamilies(const FontRegistryView& view,
                                             const std::string& language);

// The files of faces in their order, each once even where links name it
// from several places (the first name found is kept), with "Family Style"
// of its faces, the family as DisplayFamilies names it for language.
std::vector<InstalledFontFile> FontFilesOf(const std::vector<FontFace>& faces,
                                           const std::string& language);

}  // namespace qm::platform
