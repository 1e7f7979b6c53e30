// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ListedFamily.h"

#include "core/catalogue/FamilyNames.h"

namespace qm::gui {

ListedFamily ListFamily(const QByteArray& realName) {
  const std::string shown = catalogue::ShownFamilyName(realName.toStdString());
  return {QString::fromStdString(shown), realName};
}

}  // namespace qm::gui
