#include "gui/common/ListSearch.h"

#include <QListWidget>

namespace qm::gui {
namespace {

template <typename Matches>
bool SelectFirst(QListWidget* list, Matches matches) {
  for (int row = 0; row < list->count(); ++row) {
    if (matches(list->item(row)->text())) {
      list->setCurrentRow(row);
      return true;
    }
  }
  return false;
}

}  // namespace

bool SelectListEntryExact(const QString& text, QListWidget* list) {
  return SelectFirst(list, [&](const QString& entry) {
    return entry.compare(text, Qt::CaseInsensitive) == 0;
  });
}

bool SelectListEntryContaining(const QString& text, QListWidget* list) {
  return SelectFirst(list,
                     [&](const QString& entry) { return entry.contains(text, Qt::CaseInsensitive); });
}

}  // namespace qm::gui
