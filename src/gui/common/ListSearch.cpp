// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListSearch.h"

#include "gui/common/FontNameList.h"

namespace qm::gui {
namespace {

template <typename Matches>
int FirstMatch(const FontNameList* list, bool hidden, Matches matches) {
  for (int row = 0; row < list->count(); ++row)
    if (list->isRowHidden(row) == hidden && matches(row)) return row;
  return -1;
}

}  // namespace

void ChooseFound(FontNameList* list, int row) {
  if (list->isRowHidden(row)) list->Reveal(row);
  list->Choose(row);
}

bool EntryMatches(const FontNameList* list, int row, const QString& text,
                  const pinyin::NameQuery& query) {
  return list->item(row)->text().contains(text, Qt::CaseInsensitive) ||
         list->Search().Matches(static_cast<std::size_t>(row), query);
}

bool SelectListEntryExact(const QString& text, FontNameList* list) {
  const auto equal = [&](int row) {
    return list->item(row)->text().compare(text, Qt::CaseInsensitive) == 0;
  };
  int row = FirstMatch(list, false, equal);
  if (row < 0) row = FirstMatch(list, true, equal);
  if (row >= 0) ChooseFound(list, row);
  return row >= 0;
}

bool SelectListEntryContaining(const QString& text, FontNameList* list) {
  // A shown name holding the text wins over pinyin and other names, wherever
  // it stands, so that a search finds what it found before pinyin was known;
  // the entries a filter shows before those it hides.
  const pinyin::NameQuery query(text.toStdString());
  const auto named = [&](int row) {
    return list->item(row)->text().contains(text, Qt::CaseInsensitive);
  };
  const auto matching = [&](int row) { return EntryMatches(list, row, text, query); };
  int row = -1;
  for (const bool hidden : {false, true}) {
    if (row < 0) row = FirstMatch(list, hidden, named);
    if (row < 0) row = FirstMatch(list, hidden, matching);
  }
  if (row >= 0) ChooseFound(list, row);
  return row >= 0;
}

}  // namespace qm::gui
