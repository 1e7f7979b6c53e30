#pragma once
// Searches that make an entry of a list the current one, which runs the
// list's own handling of a chosen entry.

#include <QString>

class QListWidget;

namespace qm::gui {

// The first entry equal to text, ignoring letter case; false when none is.
bool SelectListEntryExact(const QString& text, QListWidget* list);
// The first entry that contains text, ignoring letter case; the empty text
// is in every entry.
bool SelectListEntryContaining(const QString& text, QListWidget* list);

}  // namespace qm::gui
