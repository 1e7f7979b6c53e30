// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/compare/ComparePrintPreview.h"

#include <QTextEdit>

namespace qm::gui {

// TODO(lead): call RenderRichTextPages(copy, 300, 1, 300, 1, 1) once the
// printing code has landed; until then the button shows nothing.
void PreviewComparisonPages(QTextEdit* /*copy*/) {}

}  // namespace qm::gui
