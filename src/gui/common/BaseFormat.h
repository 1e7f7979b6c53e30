// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base format of the program's rich-text boxes: 宋体 12 pt, black, no
// styles.

#include <QString>
#include <QTextCharFormat>

class QTextEdit;

namespace qm::gui {

inline const QString kBaseFace = QStringLiteral("宋体");
inline constexpr int kBasePointSize = 12;

QTextCharFormat BaseFormat();

// Gives a rich-text box the base format for the text typed into it.
void SetBaseFormat(QTextEdit* box);

}  // namespace qm::gui
