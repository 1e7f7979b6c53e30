// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks that each name is drawn in the face fontconfig gives that name:
// the face the toolkit actually draws a font in (its name table, read back
// from the font engine) against fontconfig's match for the name (its name
// table, read from the file with FreeType).

#include <QFont>
#include <QString>
#include <vector>

struct DrawnName {
  QString name;
  QFont font;  // as the program draws the name
};

// Prints the number of names checked, of mismatches, and a few examples.
void PrintFaceCheck(const char* what, const std::vector<DrawnName>& names);
