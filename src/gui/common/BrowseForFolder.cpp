// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/BrowseForFolder.h"

#include <QFileDialog>

#include "core/platform/PathHelpers.h"

namespace qm::gui {

QString BrowseForFolder(QWidget* owner) {
  // Qt's own dialog: the same on every desktop, and it never offers a
  // virtual place that is no folder.
  QFileDialog dialog(owner, kBrowseForFolderTitle);
  dialog.setObjectName(QStringLiteral("BrowseForFolder"));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString folder = dialog.selectedFiles().constFirst();
  return folder.isEmpty() ? QString()
                          : QString::fromStdString(platform::AddBackslash(folder.toStdString()));
}

}  // namespace qm::gui
