// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks that each name is drawn in the face fontconfig gives that name: a
// line drawn by the program's face engine, by the file and face index the
// engine opened to draw it against fontconfig's match's file and FC_INDEX.

#include <QString>
#include <vector>

#include "gui/common/FaceEngine.h"

struct DrawnAddress {
  QString name;
  std::vector<qm::gui::FaceAddress> opened;  // the faces drawing the name opened
};

// Prints the number of names checked, of those not drawn from exactly the
// file and face index fontconfig gives them, and a few examples.
void PrintFaceAddressCheck(const char* what, const std::vector<DrawnAddress>& names);
