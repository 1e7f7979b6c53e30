// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListSearch.h"

#include "gui/common/FontNameList.h"

namespace qm::gui {
namespace {

template <typename Matches>
bool SelectFirst(FontNameList* list, Matches matches) {
  for (int row = 0; row < list->count(); ++row) {
    if (matches(list->item(row)->text())) {
      list->Choose(row);
      return true;
    }
  }
  return false;
}

}  // namespace

bool SelectListEntryExact(const QString& text, FontNameList* list) {
  return SelectFirst(
      list, [&](const QString& entry) { return entry.compare(text, Qt::CaseInsensitive) == 0; });
}

bool SelectListEntryContaining(const QString& text, FontNameList* list) {
  return SelectFirst(
      list, [&](const QString& entry) { return entry.contains(text, Qt::CaseInsensitive); });
}

}  // namespace qm::gui
