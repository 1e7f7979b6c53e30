// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

namespace qm::gui {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// "xcb:option=1" names the plugin xcb.
bool PluginReachable(std::string_view plugin, const DisplaySetting& setting) {
  plugin = plugin.substr(0, plugin.find(':'));
  if (plugin == "xcb") return !setting.x11Display.empty();
  if (plugin.starts_with("wayland")) return !setting.waylandDisplay.empty();
  return !plugin.empty();
}

}  // namespace

DisplaySetting CurrentDisplaySetting(int argc, char* argv[]) {
  DisplaySetting setting{EnvironmentValue("QT_QPA_PLATFORM"), EnvironmentValue("DISPLAY"),
                         EnvironmentValue("WAYLAND_DISPLAY")};
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "-platform" || option == "--platform") setting.platforms = argv[i + 1];
  }
  return setting;
}

bool DisplayReachable(const DisplaySetting& setting) {
  if (setting.platforms.empty())
    return !setting.x11Display.empty() || !setting.waylandDisplay.empty();
  std::string_view rest = setting.platforms;
  while (!rest.empty()) {
    const std::size_t end = rest.find(';');
    if (PluginReachable(rest.substr(0, end), setting)) return true;
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return false;
}

}  // namespace qm::gui
