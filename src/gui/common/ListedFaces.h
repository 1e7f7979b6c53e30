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
#include <functional>
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

// How a listed family prints beside its name: whether its face writes the
// name's letters (a symbol font's would spell symbols), and the text of its
// own script it shows when it does not (else empty).
struct PrintedFace {
  bool writesName = true;
  QString ownScript;
};
// By the family's real name.
using PrintedFaces = std::function<PrintedFace(const QByteArray&)>;

// Makes the text marked with a listed family (FaceText's
// kListedFaceProperty, which boxes draw by the face engine) name that
// family's face alone in its format (unless faces says it cannot write the
// name), and adds the face's own-script text after a marked run that ends
// its line: the copy printed, whose fonts the printer embeds (the print
// layout gives the characters a face lacks their fallback, a paragraph at a
// time).
void WriteListedFacesAsFonts(QTextDocument& document, const PrintedFaces& faces = {});

// Gives the characters of block that their face lacks the fallback. Opens
// the faces of the block: what laying it out would do anyway.
void FallBackWhereFaceLacks(const QTextBlock& block);

}  // namespace qm::gui
