// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace qm::platform {
class Platform;
}

namespace qm::gui {

// Names the program for its settings, loads the toolkit's Chinese texts for
// standard buttons, keeps the program running while its window is hidden,
// gives the interface an installed face and chooses the base face's family.
void ConfigureApplication(QApplication& application, platform::Platform& platform);

// A request for a family that has no face (the interface's usual "Sans
// Serif") makes the toolkit try the installed families one by one, anew for
// every size and style: with thousands of fonts, seconds each when none
// suits. The interface's font is given an installed face.
void NameInstalledInterfaceFaces(platform::Platform& platform);

// Chooses the installed family the base face 宋体 is drawn in (BaseFaceFamily):
// 宋体 itself where installed, else the Song face the font configuration gives
// serif Chinese text, else the interface's face. 宋体 and SimSun, where not
// installed, become substitutes of that family.
void ChooseBaseFace(platform::Platform& platform);

}  // namespace qm::gui
