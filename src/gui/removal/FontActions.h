// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's actions on a selected font file or on chosen fonts:
// opening the file in the desktop's viewer, showing its properties, and
// handing files to the removal dialog.

#include <QString>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

class QWidget;

namespace qm::gui {

inline const QString kNoViewerMessage = QStringLiteral("您的WINDOWS缺少文件，无法查看。");

// Opens the file in the desktop's default application for its kind; with
// none, says so. An empty path does nothing.
void ViewFontFile(const std::string& path, QWidget* owner);

// The file's properties window; an empty path does nothing.
void ShowFileProperties(const std::string& path, platform::Platform& platform, QWidget* owner);

struct ChosenFont {
  std::string file;  // a full path, or a name in the fonts folder
  QString fontName;
};

// Shows "卸载和删除字体" modally with one row per chosen font and the count.
void RemoveFonts(platform::Platform& platform, const std::vector<ChosenFont>& fonts,
                 QWidget* owner);

}  // namespace qm::gui
