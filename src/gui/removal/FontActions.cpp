// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/removal/FontActions.h"

#include <QFile>

#include "core/platform/FontResources.h"
#include "gui/common/DefaultApplication.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FileProperties.h"
#include "gui/removal/DelFonts.h"

namespace qm::gui {

void ViewFontFile(const std::string& path, QWidget* owner) {
  if (path.empty()) return;
  if (!OpenWithDefaultApplication(QFile::decodeName(QByteArray::fromStdString(path))))
    ShowMessage(owner, kNoViewerMessage, QMessageBox::Critical);
}

void ShowFileProperties(const std::string& path, platform::Platform& platform, QWidget* owner) {
  if (path.empty()) return;
  ShowProps(path, platform.FacesInFile(path), owner);
}

void RemoveFonts(platform::Platform& platform, const std::vector<ChosenFont>& fonts,
                 QWidget* owner) {
  const std::unique_ptr<platform::FontResources> resources = platform::CreateFontResources();
  DelFonts dialog(platform, *resources, owner);
  for (const ChosenFont& font : fonts) dialog.AddRow(font.file, font.fontName);
  dialog.ShowRowCount();
  dialog.exec();
}

}  // namespace qm::gui
