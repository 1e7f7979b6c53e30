// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Searches that choose an entry of the font-name list, exactly as a click on
// it would, also when it is already the current entry.

#include <QString>

#include "core/pinyin/PinyinSearch.h"

namespace qm::gui {

class FontNameList;

// Whether text finds the entry at row: its shown name contains the text,
// ignoring letter case, or another of the family's names does, or the
// text is the pinyin of a Chinese name, whole or by initials, or part of it.
// query is text made once for many entries.
bool EntryMatches(const FontNameList* list, int row, const QString& text,
                  const pinyin::NameQuery& query);

// Chooses the entry at row that a search the person asked for found,
// shown again when a filter hides it (FontNameList::Reveal).
void ChooseFound(FontNameList* list, int row);

// The first entry equal to text, ignoring letter case; false when none is.
bool SelectListEntryExact(const QString& text, FontNameList* list);
// The first entry whose shown name contains text, ignoring letter case;
// when there is none, the first one EntryMatches finds. The empty text is in
// every entry. The entries a filter shows are searched first; an entry it
// hides that is found is shown again (FontNameList::Reveal).
bool SelectListEntryContaining(const QString& text, FontNameList* list);

}  // namespace qm::gui
