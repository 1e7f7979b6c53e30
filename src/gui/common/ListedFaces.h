// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The face each name of the font-name list draws in. To the toolkit some
// names select another face than the one fontconfig gives them ("DejaVu
// Sans Light" is only another name of DejaVu Sans, whose regular face it
// would get); the scan records how to ask for those, and everything that
// writes a name in its own face asks here.

#include <QString>
#include <vector>

#include "core/platform/Platform.h"

class QTextCharFormat;
class QTextCursor;

namespace qm::gui {

// Replaces what is known with what one scan found.
void RecordListedFaces(const std::vector<platform::InstalledFamily>& families);

// Makes format draw in name's face: the family, and the style name when the
// name alone does not select the face. The style name is set (empty) even
// then, so that merging format into text removes an earlier one.
void SetListedFace(QTextCharFormat& format, const QString& name);

// Inserts text at cursor in format. The characters that neither format's
// face nor the interface's base face has are drawn without fallback (as a
// box): the toolkit would otherwise look for a character no font has in
// every installed font, file by file, on every new layout.
void InsertInOwnFace(QTextCursor& cursor, const QString& text, const QTextCharFormat& format);

// text without the characters InsertInOwnFace draws without fallback: what
// can be measured in format without that search.
QString ReachableText(const QString& text, const QTextCharFormat& format);

}  // namespace qm::gui
