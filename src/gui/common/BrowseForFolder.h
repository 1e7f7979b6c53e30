// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder picker several windows share.

#include <QString>

class QWidget;

namespace qm::gui {

inline const QString kBrowseForFolderTitle = QStringLiteral("请选择文件夹: ");

// The folder the user picks, owned by owner, ending in the separator; empty
// when the user cancels. Only folders of the file system can be picked.
QString BrowseForFolder(QWidget* owner);

}  // namespace qm::gui
