// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Closing the faces the toolkit keeps open. Every font drawn once keeps its
// face open (the file mapped, its glyphs cached) for as long as any text
// format or font refers to it, and the toolkit's cache trims itself only
// now and then; a program that draws each of thousands of fonts in turn
// must close them itself.

namespace qm::gui {

// Closes every face the toolkit holds; the freed memory goes back to the
// system when the window is next idle. Fonts still in use open their faces
// again when next drawn, which costs about as much as a first drawing of
// what is on the screen.
void CloseOpenFaces();

}  // namespace qm::gui
