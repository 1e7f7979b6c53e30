// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maker's web site: its host (kMakerHost of ProjectInfo.h) and the
// paths of its pages.

#include <QString>

namespace qm::gui {

// Set only by the tests, to point the program at a server of their own.
inline constexpr char kMakerHostVariable[] = "QUILLMERE_MAKER_HOST";

namespace maker_paths {
inline constexpr char kHome[] = "/";
inline constexpr char kOtherSoftware[] = "/brindlewood/";
inline constexpr char kLatestVersion[] = "/quillmere/";
inline constexpr char kHelp[] = "/Quillmere/";
inline constexpr char kDownload[] = "/VudeZezi/";
inline constexpr char kAboutPage[] = "/left.htm";
}  // namespace maker_paths

QString MakerHost();
// "http://" + host + path.
QString MakerAddress(const char* path);

}  // namespace qm::gui
