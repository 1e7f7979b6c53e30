// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an entry of the font-name list tells beyond its name: the family's
// names in other languages (the English name of a Chinese one and the
// other way round), which the filter searches too, and a tool tip with
// those names, the style names and the file.

#include <QString>

#include "core/platform/Platform.h"

class QListWidgetItem;

namespace qm::gui {

QString FamilyToolTip(const platform::InstalledFamily& family);

// Keeps the other names in the entry (kOtherNamesRole) and sets its tool tip.
void SetFamilyDetails(QListWidgetItem* entry, const platform::InstalledFamily& family);

}  // namespace qm::gui
