// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample sheet: every font name written in its own face, one per line.

#include <QStringList>
#include <functional>

#include "gui/common/ListedFamily.h"
#include "gui/common/TextStyles.h"

class QLabel;
class QPlainTextEdit;

namespace qm::gui {
class FramePump;
}

namespace qm::gui {

QString SheetProgressText(qsizetype line, qsizetype total);  // "5/320"

// Empties sheet and writes line k, names[k]'s shown name, marked to be drawn
// in its face, with the sheet's styles. Progress goes to label as "k/N";
// after each line stopRequested is asked whether to go on. Returns the
// lines written.
qsizetype BuildSampleSheet(QPlainTextEdit* sheet, const ListedFamilies& names,
                           const TextStyleFlags& style, QLabel* label, gui::FramePump& pump,
                           const std::function<bool()>& stopRequested);

}  // namespace qm::gui
