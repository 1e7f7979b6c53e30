// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a font's face without the toolkit comparing its family name with
// every installed family's first.

#include <QRawFont>

class QFont;

namespace qm::gui {

// Opens font's face, as drawing it would, keeps it with font and returns
// it (asked for no script in particular, as QRawFont::fromFont). The
// toolkit finds a family by walking the installed families in order and
// comparing names (milliseconds a face with thousands of fonts installed);
// here the family is looked up by halves in the same sorted list and
// offered first to that walk, which then stops at it when it has the style
// asked for. The face chosen, opened and cached is the one the toolkit
// would have chosen itself. Only for fonts that draw in their own face
// alone (no font merging); others are left to the toolkit.
QRawFont OpenFaceByName(const QFont& font);

}  // namespace qm::gui
