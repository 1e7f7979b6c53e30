// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListSearch.h"

#include "gui/common/FontNameList.h"

namespace qm::gui {
namespace {

template <typename Matches>
bool SelectFirst(FontNameList* list, Matches matches) {
  for (int row = 0; row < list->count(); ++row) {
    if (!list->isRowHidden(row) && matches(row)) {
      list->Choose(row);
      return true;
    }
  }
  return false;
}

}  // namespace

bool EntryMatches(const FontNameList* list, int row, const QString& text,
                  const pinyin::NameQuery& query) {
  return list->item(row)->text().contains(text, Qt::CaseInsensitive) ||
         list->Search().Matches(static_cast<std::size_t>(row), query);
}

bool SelectListEntryExact(const QString& text, FontNameList* list) {
  return SelectFirst(list, [&](int row) {
    return list->item(row)->text().compare(text, Qt::CaseInsensitive) == 0;
  });
}

bool SelectListEntryContaining(const QString& text, FontNameList* list) {
  // A shown name holding the text wins over pinyin and other names, wherever
  // it stands, so that a search finds what it found before pinyin was known.
  const pinyin::NameQuery query(text.toStdString());
  return SelectFirst(list,
                     [&](int row) {
                       return list->item(row)->text().contains(text, Qt::CaseInsensitive);
                     }) ||
         SelectFirst(list, [&](int row) { return EntryMatches(list, row, text, query); });
}

}  // namespace qm::gui
