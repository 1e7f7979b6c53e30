// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/FontRegistryView.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <unordered_set>

#include "core/platform/PathHelpers.h"
#include "core/platform/RegistryKeys.h"
#include "core/platform/Text.h"
#include "core/platform/linux/FaceFiling.h"

namespace qm::platform {
namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         AsciiLower(text.substr(text.size() - suffix.size())) == AsciiLower(suffix);
}

// "zh_CN.UTF-8" and "zh-CN" both become "zh-cn".
std::string LanguageTag(const std::string& locale) {
  std::string tag = AsciiLower(locale.substr(0, locale.find_first_of(".@")));
  std::replace(tag.begin(), tag.end(), '_', '-');
  return tag;
}

// The language whose names a user of tag reads: tag itself, else the same
// language of another region, else the language of the face's first name.
std::string ChosenLanguage(const FontFace& face, const std::string& tag) {
  const std::string primary = tag.substr(0, tag.find('-'));
  std::string samePrimary;
  for (const FamilyName& family : face.families) {
    const std::string own = LanguageTag(family.language);
    if (own == tag) return own;
    if (samePrimary.empty() && !primary.empty() && own.substr(0, own.find('-')) == primary)
      samePrimary = own;
  }
  return samePrimary.empty() ? LanguageTag(face.families.front().language) : samePrimary;
}

void AddOnce(std::vector<std::string>& list, const std::string& item) {
  if (!item.empty() && std::find(list.begin(), list.end(), item) == list.end())
    list.push_back(item);
}

// The names of face in languages other than shown, for a reader who knows
// the family by the other name.
std::vector<std::string> OtherNames(const FontFace& face, const std::string& shown) {
  std::vector<std::string> names;
  for (const FamilyName& family : face.families)
    if (LanguageTag(family.language) != shown) AddOnce(names, family.name);
  return names;
}

// The style names of the faces under each family name; a face without a
// style name at the name's place gives its first one.
std::unordered_map<std::string, std::vector<std::string>> StylesByName(
    const std::vector<FontFace>& faces) {
  std::unordered_map<std::string, std::vector<std::string>> styles;
  for (const FontFace& face : faces)
    for (const FamilyName& family : face.families)
      AddOnce(styles[family.name],
              family.style.empty() ? face.families.front().style : family.style);
  return styles;
}

// The face's family in the language shown to the user, with its style.
std::string FaceName(const FontFace& face, const std::string& tag) {
  const std::string shown = ChosenLanguage(face, tag);
  const auto named =
      std::find_if(face.families.begin(), face.families.end(),
                   [&](const FamilyName& name) { return LanguageTag(name.language) == shown; });
  const FamilyName& family = named == face.families.end() ? face.families.front() : *named;
  const std::string& style = family.style.empty() ? face.families.front().style : family.style;
  return style.empty() ? family.name : family.name + " " + style;
}

std::string FolderOf(const std::string& path) {
  return RemoveBackslash(path.substr(0, path.find_last_of('/') + 1));
}

// The file a path leads to through links; the path itself when it leads nowhere.
std::string TargetOf(const std::string& path) {
  std::error_code error;
  std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path : target.string();
}

}  // namespace

void FontRegistryView::Load(std::vector<FontFace> faces, const std::string& fontsFolder,
                            SubstituteSource substitutes, const FaceChooser& choose) {
  faces_ = std::move(faces);
  fontsFolder_ = fontsFolder;
  substitutes_ = std::move(substitutes);
  families_.clear();
  carriers_.clear();
  for (std::size_t i = 0; i < faces_.size(); ++i) {
    for (const FamilyName& family : faces_[i].families) {
      std::vector<std::size_t>& carrying = carriers_[AsciiLower(family.name)];
      if (carrying.empty() || carrying.back() != i) carrying.push_back(i);
    }
  }
  for (const auto& [key, candidates] : carriers_) {
    const FontFace& face = faces_[choose(key, candidates)];
    for (const FamilyName& family : face.families)
      if (AsciiLower(family.name) == key) families_[key] = {family.name, &face};
  }
}

const FontFace* FontRegistryView::FaceOf(const std::string& familyName) const {
  const auto found = families_.find(AsciiLower(familyName));
  return found == families_.end() ? nullptr : found->second.face;
}

const std::vector<std::size_t>& FontRegistryView::FacesCarrying(
    const std::string& familyName) const {
  static const std::vector<std::size_t> none;
  const auto found = carriers_.find(AsciiLower(familyName));
  return found == carriers_.end() ? none : found->second;
}

std::string FontRegistryView::RegistryPath(const std::string& file) const {
  const std::filesystem::path path(file);
  const std::filesystem::path folder(fontsFolder_);
  if (!fontsFolder_.empty() && path.parent_path().lexically_normal() == folder.lexically_normal())
    return path.filename().string();
  return file;
}

std::string FontRegistryView::FontTableText(const std::string& valueName) const {
  // Outline faces are registered as "Family (TrueType)", bitmap faces under
  // the plain family name.
  const bool suffixed = EndsWithNoCase(valueName, kTrueTypeSuffix);
  const std::string familyName =
      suffixed ? valueName.substr(0, valueName.size() - std::string(kTrueTypeSuffix).size())
               : valueName;
  const FontFace* face = FaceOf(familyName);
  if (!face || face->outline != suffixed) return {};
  return RegistryPath(face->file);
}

std::string FontRegistryView::SubstituteText(const std::string& familyName) const {
  if (families_.count(AsciiLower(familyName)) || !substitutes_) return {};
  for (const std::string& candidate : substitutes_(familyName)) {
    const auto found = families_.find(AsciiLower(candidate));
    if (found != families_.end()) return found->second.name;
  }
  return {};
}

std::string FontRegistryView::TextOf(KeyKind kind, const std::string& valueName) const {
  switch (kind) {
    case KeyKind::ShellFolders:
      return AsciiLower(valueName) == "fonts" ? fontsFolder_ : std::string();
    case KeyKind::FontTable:
      return FontTableText(valueName);
    case KeyKind::Substitutes:
      return SubstituteText(valueName);
    case KeyKind::SysInfo:
      return AsciiLower(valueName) == "path" ? SysInfoTool() : std::string();
  }
  return {};
}

long FontRegistryView::OpenKey(RegKey root, const std::string& subKey, std::uint32_t,
                               RegKey* opened) {
  const std::string key = AsciiLower(subKey);
  KeyKind kind;
  if (root == kHkeyCurrentUser && key == AsciiLower(kShellFoldersKey))
    kind = KeyKind::ShellFolders;
  else if (root == kHkeyLocalMachine &&
           (key == AsciiLower(kFontsNtKey) || key == AsciiLower(kFonts9xKey)))
    kind = KeyKind::FontTable;
  else if (root == kHkeyLocalMachine && key == AsciiLower(kFontSubstitutesKey))
    kind = KeyKind::Substitutes;
  else if (root == kHkeyLocalMachine && key == AsciiLower(kSysInfoKey))
    kind = KeyKind::SysInfo;
  else
    return kErrorFileNotFound;
  *opened = nextKey_++;
  openKeys_[*opened] = kind;
  return kErrorSuccess;
}

long FontRegistryView::QueryValue(RegKey key, const std::string& valueName, std::uint32_t* type,
                                  std::string* data, std::uint32_t* byteSize) {
  const auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return kErrorInvalidParameter;
  const std::string text = TextOf(open->second, valueName);
  if (text.empty()) return kErrorFileNotFound;
  *type = kRegSz;
  *byteSize = static_cast<std::uint32_t>(text.size() + 1);
  if (data) *data = text + '\0';
  return kErrorSuccess;
}

long FontRegistryView::SetValue(RegKey, const std::string&, std::uint32_t, const std::string&) {
  return kErrorAccessDenied;
}

long FontRegistryView::DeleteValue(RegKey, const std::string&) { return kErrorAccessDenied; }

long FontRegistryView::CloseKey(RegKey key) {
  return openKeys_.erase(key) ? kErrorSuccess : kErrorInvalidParameter;
}

std::string SysInfoTool() {
  const char* path = std::getenv("PATH");
  for (const char* tool : {"hardinfo", "kinfocenter", "gnome-system-monitor"}) {
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
      if (folder.empty()) continue;  // the working folder is no place to look for programs
      const std::filesystem::path file = std::filesystem::path(folder) / tool;
      std::error_code error;
      if (std::filesystem::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0)
        return file.string();
    }
  }
  return {};
}

std::vector<InstalledFamily> DisplayFamilies(const FontRegistryView& view,
                                             const std::string& language) {
  const std::string tag = LanguageTag(language);
  const FaceFiling filing(view.Faces());
  std::vector<InstalledFamily> families;
  std::unordered_set<std::string> seen;
  std::unordered_map<std::string, std::vector<std::string>> styles = StylesByName(view.Faces());
  // A face may carry several names in one language, such as a typographic
  // family and a weight-specific one; each is a family of its own here.
  for (const FontFace& face : view.Faces()) {
    const std::string shown = ChosenLanguage(face, tag);
    for (const FamilyName& family : face.families) {
      if (LanguageTag(family.language) != shown || !seen.insert(family.name).second) continue;
      const FontFace& drawn = *view.FaceOf(family.name);
      FaceSelection selection = filing.SelectionOf(family.name, drawn);
      families.push_back({family.name, drawn.file, std::move(selection.family),
                          std::move(selection.style), OtherNames(face, shown),
                          std::move(styles[family.name]), drawn.index});
    }
  }
  return families;
}

std::vector<InstalledFontFile> FontFilesOf(const std::vector<FontFace>& faces,
                                           const std::string& language) {
  constexpr std::size_t kNamedElsewhere = static_cast<std::size_t>(-1);
  const std::string tag = LanguageTag(language);
  std::vector<InstalledFontFile> files;
  std::unordered_map<std::string, std::size_t> fileByPath;  // kNamedElsewhere: listed under another
  std::unordered_set<std::string> targets;
  for (const FontFace& face : faces) {
    auto [known, isNew] = fileByPath.try_emplace(face.file, kNamedElsewhere);
    if (isNew && targets.insert(TargetOf(face.file)).second) {
      known->second = files.size();
      files.push_back({face.file, FolderOf(face.file), {}});
    }
    if (known->second != kNamedElsewhere) AddOnce(files[known->second].faces, FaceName(face, tag));
  }
  return files;
}

}  // namespace qm::platform
