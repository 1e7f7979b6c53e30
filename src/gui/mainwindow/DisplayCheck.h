// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the toolkit can open a window at all. Without a display its
// platform plugin aborts the program; asked first, the program can say why
// and end in order instead.

#include <functional>
#include <string>

namespace qm::gui {

struct DisplaySetting {
  std::string platforms;       // QT_QPA_PLATFORM or -platform: "xcb", "wayland;xcb", ...
  std::string x11Display;      // DISPLAY
  std::string waylandDisplay;  // WAYLAND_DISPLAY
};

// The display settings of the environment and the command line.
DisplaySetting CurrentDisplaySetting(int argc, char* argv[]);

// Whether a display of that name answers: an X server, a Wayland compositor.
struct DisplayOpeners {
  std::function<bool(const std::string&)> x11;
  std::function<bool(const std::string&)> wayland;
};

// Connecting to the display named, as the toolkit's plugins would.
DisplayOpeners SystemDisplayOpeners();

// True when one of the plugins asked for has a display that answers: xcb
// with DISPLAY, wayland with WAYLAND_DISPLAY, any other plugin (offscreen,
// vnc, ...) always. Without a plugin asked for, the toolkit uses whichever
// of the two displays is there.
bool DisplayReachable(const DisplaySetting& setting,
                      const DisplayOpeners& open = SystemDisplayOpeners());

// The message for standard error, in Chinese and in English.
inline constexpr const char* kNoDisplayMessage =
    "Quillmere：找不到图形显示（DISPLAY 和 WAYLAND_DISPLAY 未设置或无法连接），无法打开窗口。\n"
    "Quillmere: no graphical display found (DISPLAY and WAYLAND_DISPLAY are unset or do not "
    "answer); cannot open a window.\n";

}  // namespace qm::gui
