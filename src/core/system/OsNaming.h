// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short operating-system names that choose the registry font tables,
// and the one-line description shown in the main window.

#include <cstdint>
#include <string>

namespace qm::system {

struct WindowsVersion {
  int platformId = 0;  // 0 Win32s, 1 the Windows 95 family, 2 the NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

// "Win32", "Win 95", …, "Win 2003", or empty for a version none of these names.
std::string OsNameFor(const WindowsVersion& version);

// "操作系统：" + name + " V" + version + "." + build, e.g. "操作系统：Win XP V5.01.2600".
std::string OsCaptionFor(const WindowsVersion& version);

// The caption on a system that is not Windows: distribution and kernel.
std::string OsCaptionFor(const std::string& systemName, const std::string& kernelVersion);

}  // namespace qm::system
