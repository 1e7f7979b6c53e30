// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry keys that hold the fonts folder, the font tables and the
// system information program; the procedures read them and each backend
// answers for them.

namespace qm::platform {

inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kFontsNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr const char* kFonts9xKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
inline constexpr const char* kFontSubstitutesKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";
inline constexpr const char* kTrueTypeSuffix = " (TrueType)";
// "PATH" names the system information program; "MSINFO" the folder of one.
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSharedToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

}  // namespace qm::platform
