#pragma once
// The sample sheet: every font name written in its own face, one per line.

#include <QStringList>
#include <functional>

#include "samples/TextStyles.h"

class QLabel;
class QPlainTextEdit;

namespace qm::app {
class FramePump;
}

namespace qm::samples {

QString SheetProgressText(qsizetype line, qsizetype total);  // "5/320"

// Empties sheet and writes line k in the face named by names[k], with the
// sheet's styles. Progress goes to label as "k/N"; after each line
// stopRequested is asked whether to go on. Returns the lines written.
qsizetype BuildSampleSheet(QPlainTextEdit* sheet, const QStringList& names,
                           const TextStyleFlags& style, QLabel* label, app::FramePump& pump,
                           const std::function<bool()>& stopRequested);

}  // namespace qm::samples
