// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample of one font: its file name and five lines in its face.

#include <QString>

#include "gui/common/ListedFamily.h"

class QTextEdit;

namespace qm::gui {

inline constexpr int kSamplePointSize = 20;

// Rewrites box with "文件名：" + file and the five sample lines of family,
// its shown name drawn in its face.
// Each line adds one style to those before it, as text typed after styled
// text would: bold, then italic, then underline, each in its own colour.
void ShowFontEffect(QTextEdit* box, const ListedFamily& family, const QString& file);

}  // namespace qm::gui
