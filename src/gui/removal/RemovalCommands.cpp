// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/removal/RemovalCommands.h"

#include <string>
#include <utility>

#include "core/catalogue/FontTable.h"
#include "gui/common/FontNameList.h"

namespace qm::gui {

RemovalCommands::RemovalCommands(platform::Platform& platform, const QString& osName,
                                 QWidget* owner)
    : platform_(platform), osName_(osName), owner_(owner) {}

void RemovalCommands::RemoveFiles(const std::vector<ChosenFont>& files) const {
  RemoveFonts(platform_, files, owner_);
}

void RemovalCommands::RemoveSelectedFamilies(const FontNameList& list) const {
  if (list.count() == 0) return;
  std::vector<ChosenFont> fonts;
  for (int row = 0; row < list.count(); ++row) {
    if (!list.item(row)->isSelected()) continue;
    const ListedFamily family = list.Family(row);
    std::string file = catalogue::GetFontFileName(platform_.Registry(), osName_.toStdString(),
                                                  family.real.toStdString());
    if (!file.empty()) fonts.push_back({std::move(file), family.shown});
  }
  RemoveFonts(platform_, fonts, owner_);
}

}  // namespace qm::gui
