// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Other names of installed families, which the toolkit's font matching finds
// at once. A name the toolkit knows no face by sends each request for it
// (each style and script) through a filter of every installed family against
// every other, and a substitute adds one more such filter for the face it
// finds: minutes with 10,000 fonts. A name that is another name of an
// installed family costs what a request for the family costs.

#include <QString>

namespace qm::gui {

// Makes alias another name of the installed family, also after the toolkit
// reads its fonts again (as it does when a font file is added). False, and
// nothing done, when no installed family has that name.
bool AddFamilyAlias(const QString& family, const QString& alias);

// The family alias names, or an empty string.
QString AliasedFamily(const QString& alias);

// Alias names no family any more (nor has a substitute); the toolkit
// forgets the fonts it found.
void RemoveFamilyAlias(const QString& alias);

}  // namespace qm::gui
