// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the toolkit can open a window at all. Without a display its
// platform plugin aborts the program; asked first, the program can say why
// and end in order instead.

#include <string>

namespace qm::gui {

struct DisplaySetting {
  std::string platforms;       // QT_QPA_PLATFORM or -platform: "xcb", "wayland;xcb", ...
  std::string x11Display;      // DISPLAY
  std::string waylandDisplay;  // WAYLAND_DISPLAY
};

// The display settings of the environment and the command line.
DisplaySetting CurrentDisplaySetting(int argc, char* argv[]);

// True when one of the plugins asked for can have a display: xcb with
// DISPLAY, wayland with WAYLAND_DISPLAY, any other plugin (offscreen, vnc,
// ...) always. Without a plugin asked for, the toolkit uses whichever of
// the two displays is there.
bool DisplayReachable(const DisplaySetting& setting);

// The message for standard error, in Chinese and in English.
inline constexpr const char* kNoDisplayMessage =
    "Quillmere：找不到图形显示（未设置 DISPLAY 或 WAYLAND_DISPLAY），无法打开窗口。\n"
    "Quillmere: no graphical display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
    "cannot open a window.\n";

}  // namespace qm::gui
