// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace qm::platform {
class Platform;
}

namespace qm::gui {

// Names the program for its settings, loads the toolkit's Chinese texts for
// standard buttons, keeps the program running while its window is hidden
// and gives the Song faces the interface is set in their substitutes.
void ConfigureApplication(QApplication& application, platform::Platform& platform);

// 宋体 and SimSun, which a Linux system lacks, draw in the Song face its
// font configuration gives serif Chinese text, instead of in the sans face
// of the general fallback: as other names of that face when it is installed
// (which spares the toolkit's search of every family), else as its
// substitutes. Nothing changes when the configuration has none.
void SubstituteSongFaces(platform::Platform& platform);

// A request for a family that has no face (the interface's usual "Sans
// Serif", 宋体 without a Song face) makes the toolkit try the installed
// families one by one, anew for every size and style: with thousands of
// fonts, seconds each when none suits. The interface's font is given an
// installed face, and 宋体 and SimSun, when nothing stands in for them yet,
// that face too.
void NameInstalledInterfaceFaces(platform::Platform& platform);

}  // namespace qm::gui
