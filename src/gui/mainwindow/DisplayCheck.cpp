// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace qm::gui {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool X11Answers(const DisplaySetting& setting, const DisplayOpeners& open) {
  return !setting.x11Display.empty() && open.x11(setting.x11Display);
}

bool WaylandAnswers(const DisplaySetting& setting, const DisplayOpeners& open) {
  return !setting.waylandDisplay.empty() && open.wayland(setting.waylandDisplay);
}

// "xcb:option=1" names the plugin xcb.
bool PluginReachable(std::string_view plugin, const DisplaySetting& setting,
                     const DisplayOpeners& open) {
  plugin = plugin.substr(0, plugin.find(':'));
  if (plugin == "xcb") return X11Answers(setting, open);
  if (plugin.starts_with("wayland")) return WaylandAnswers(setting, open);
  return !plugin.empty();
}

// A display that answers keeps this connection until the program ends: an
// X server whose last client leaves starts over (Xvfb does), and would not
// answer the toolkit's connection made right after.
bool X11DisplayOpens(const std::string& name) {
  static std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> kept(nullptr,
                                                                           &xcb_disconnect);
  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
      xcb_connect(name.c_str(), nullptr), &xcb_disconnect);
  if (xcb_connection_has_error(connection.get()) != 0) return false;
  kept = std::move(connection);
  return true;
}

// A compositor's socket: the name itself when it is a path, else in the
// session's runtime folder.
bool WaylandDisplayOpens(const std::string& name) {
  const std::string path =
      name.starts_with('/') ? name : EnvironmentValue("XDG_RUNTIME_DIR") + '/' + name;
  sockaddr_un address{};
  if (path.size() >= sizeof(address.sun_path)) return false;
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, path.size());
  const int socketFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socketFd < 0) return false;
  const bool opens =
      connect(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(socketFd);
  return opens;
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

DisplayOpeners SystemDisplayOpeners() { return {X11DisplayOpens, WaylandDisplayOpens}; }

bool DisplayReachable(const DisplaySetting& setting, const DisplayOpeners& open) {
  if (setting.platforms.empty()) return WaylandAnswers(setting, open) || X11Answers(setting, open);
  std::string_view rest = setting.platforms;
  while (!rest.empty()) {
    const std::size_t end = rest.find(';');
    if (PluginReachable(rest.substr(0, end), setting, open)) return true;
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return false;
}

}  // namespace qm::gui
