// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Searches that choose an entry of the font-name list, exactly as a click on
// it would, also when it is already the current entry.

#include <QString>

namespace qm::gui {

class FontNameList;

// The first entry equal to text, ignoring letter case; false when none is.
bool SelectListEntryExact(const QString& text, FontNameList* list);
// The first entry that contains text, ignoring letter case; the empty text
// is in every entry.
bool SelectListEntryContaining(const QString& text, FontNameList* list);

}  // namespace qm::gui
