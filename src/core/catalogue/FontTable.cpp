// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/FontTable.h"

#include <vector>

#include "core/platform/Text.h"
#include "core/registry/RegistryProcedures.h"

namespace qm::catalogue {
namespace {

struct Lookup {
  const char* key;
  bool withTrueTypeSuffix;
};

std::vector<Lookup> LookupOrder(const std::string& osName) {
  if (IsNtFamily(osName))
    return {{kFontsNtKey, true}, {kFontSubstitutesKey, false}, {kFontsNtKey, false}};
  if (Is9xFamily(osName)) return {{kFonts9xKey, true}, {kFonts9xKey, false}};
  return {{kFonts9xKey, true},
          {kFonts9xKey, false},
          {kFontsNtKey, true},
          {kFontSubstitutesKey, false},
          {kFontsNtKey, false}};
}

}  // namespace

bool IsNtFamily(const std::string& osName) {
  return osName == "Win NT" || osName == "Win XP" || osName == "Win 2000" || osName == "Win 2003";
}

bool Is9xFamily(const std::string& osName) {
  return osName == "Win 95" || osName == "Win 98" || osName == "Win Me";
}

std::string GetFontsFolder(platform::RegistryApi& registry) {
  return registry::ReadRegistryString(registry, platform::kHkeyCurrentUser, kShellFoldersKey,
                                      "fonts");
}

std::string GetFontFileName(platform::RegistryApi& registry, const std::string& osName,
                            const std::string& familyName) {
  for (const Lookup& lookup : LookupOrder(osName)) {
    const std::string valueName =
        lookup.withTrueTypeSuffix ? familyName + kTrueTypeSuffix : familyName;
    const std::string text = registry::RegValueText(
        registry::ReadRegistryValue(registry, platform::kHkeyLocalMachine, lookup.key, valueName));
    if (!text.empty()) return platform::TrimSpaces(text);
  }
  return {};
}

}  // namespace qm::catalogue
