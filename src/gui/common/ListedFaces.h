// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The face each name of the font-name list draws in. To the toolkit some
// names select another face than the one fontconfig gives them ("DejaVu
// Sans Light" is only another name of DejaVu Sans, whose regular face it
// would get); the scan records how to ask for those, and everything that
// writes a name in its own face asks here.
//
// A name is drawn in exactly its own face, without the toolkit's search
// for fallback faces (which sorts every installed font for each new face).
// Only the characters that face lacks get a fallback: the interface's base
// face when it has them; a character neither has is drawn as a box.

#include <QByteArray>
#include <QString>
#include <vector>

#include "core/platform/Platform.h"

class QFont;
class QTextBlock;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;

namespace qm::gui {

// Replaces what is known with what one scan found.
void RecordListedFaces(const std::vector<platform::InstalledFamily>& families);

// Makes format draw in name's face: the family, and the style name when the
// name alone does not select the face. The style name is set (empty) even
// then, so that merging format into text removes an earlier one.
void SetListedFace(QTextCharFormat& format, const QString& name);

// Gives the characters of block that their face lacks the fallback. Opens
// the faces of the block: what laying it out would do anyway.
void FallBackWhereFaceLacks(const QTextBlock& block);

}  // namespace qm::gui
