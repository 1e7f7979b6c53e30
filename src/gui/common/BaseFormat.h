// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base format of the program's rich-text boxes: 宋体 12 pt, black, no
// styles. 宋体 is drawn in an installed family chosen at start, and every
// format and font asks for that family by its own name: a name the toolkit
// knows no face by makes each request for it try the installed families one
// by one, seconds with thousands of fonts.

#include <QString>
#include <QTextCharFormat>

class QTextEdit;

namespace qm::gui {

inline const QString kBaseFace = QStringLiteral("宋体");
inline constexpr int kBasePointSize = 12;

// The installed family that draws the base face; kBaseFace until one is set.
const QString& BaseFaceFamily();
void SetBaseFaceFamily(const QString& family);

QTextCharFormat BaseFormat();

// Gives a rich-text box the base format for the text typed into it.
void SetBaseFormat(QTextEdit* box);

}  // namespace qm::gui
