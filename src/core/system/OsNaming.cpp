// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/OsNaming.h"

#include <cstdio>

namespace qm::system {
namespace {

const char* kCaptionPrefix = "操作系统：";

// The version is held as major + minor / 100 in single precision and every
// comparison is an equality test on that value, so 5.1 reads as 5.01.
float VersionNumber(const WindowsVersion& version) {
  return static_cast<float>(version.major) + static_cast<float>(version.minor) / 100.0f;
}

// Shortest decimal text that reads back as the same single-precision value.
std::string ShortestText(float value) {
  char buffer[32];
  for (int decimals = 0; decimals <= 9; ++decimals) {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    float back = 0;
    std::sscanf(buffer, "%f", &back);
    if (back == value) break;
  }
  return buffer;
}

}  // namespace

std::string OsNameFor(const WindowsVersion& version) {
  const float v = VersionNumber(version);
  switch (version.platformId) {
    case 0:
      return "Win32";
    case 1:
      if (v == 4.0f) return "Win 95";
      if (v == 4.1f) return "Win 98";
      if (v == 4.9f) return "Win Me";
      return {};
    case 2:
      if (v == 4.0f) return "Win NT";
      if (v == 5.0f) return "Win 2000";
      if (v == 5.01f) return "Win XP";
      if (v == 5.02f) return "Win 2003";
      if (v == 6.0f) return "Win XP";
      return {};
    default:
      return {};
  }
}

std::string OsCaptionFor(const WindowsVersion& version) {
  // The build number is read as a 16-bit integer.
  const auto build = static_cast<std::int16_t>(version.build & 0xFFFF);
  return kCaptionPrefix + OsNameFor(version) + " V" + ShortestText(VersionNumber(version)) + "." +
         std::to_string(build);
}

std::string OsCaptionFor(const std::string& systemName, const std::string& kernelVersion) {
  return kCaptionPrefix + systemName + " V" + kernelVersion;
}

}  // namespace qm::system
