// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Print preview of the comparison: its pages laid out by the program's one
// rich-text page renderer, with the margins every preview uses.

class QTextEdit;

namespace qm::gui {

void PreviewComparisonPages(QTextEdit* copy);

}  // namespace qm::gui
