// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's removal commands: the selected files of the font-file
// tab, or the selected families of the font-name list, in the removal dialog.

#include <QString>
#include <vector>

#include "core/platform/Platform.h"
#include "gui/removal/FontActions.h"

class QWidget;

namespace qm::gui {

class FontNameList;

class RemovalCommands {
 public:
  // osName names the system whose registry tells a family's file; it is
  // read at each removal, as it is known only once the window has started.
  RemovalCommands(platform::Platform& platform, const QString& osName, QWidget* owner);

  void RemoveFiles(const std::vector<ChosenFont>& files) const;
  // The selected families whose files the registry knows; an empty list
  // shows nothing.
  void RemoveSelectedFamilies(const FontNameList& list) const;

 private:
  platform::Platform& platform_;
  const QString& osName_;
  QWidget* owner_;
};

}  // namespace qm::gui
