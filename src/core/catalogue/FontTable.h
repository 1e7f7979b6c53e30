// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the fonts folder is and which file belongs to an installed family,
// both answered from the registry's font tables.

#include <string>

#include "core/platform/Registry.h"
#include "core/platform/RegistryKeys.h"

namespace qm::catalogue {

using platform::kFonts9xKey;
using platform::kFontsNtKey;
using platform::kFontSubstitutesKey;
using platform::kShellFoldersKey;
using platform::kTrueTypeSuffix;

bool IsNtFamily(const std::string& osName);
bool Is9xFamily(const std::string& osName);

// The fonts folder without trailing separator; empty when not recorded.
std::string GetFontsFolder(platform::RegistryApi& registry);

// The file registered for a family (or the name of the family that stands
// in for it), trimmed of spaces; empty when nothing is registered. osName
// chooses which tables are asked and in which order.
std::string GetFontFileName(platform::RegistryApi& registry, const std::string& osName,
                            const std::string& familyName);

}  // namespace qm::catalogue
