// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/PathHelpers.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/platform/Text.h"

namespace qm::platform {
namespace {

// Number of characters (not bytes) of UTF-8 text.
std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }));
}

const std::string kNoExtension = " ";

}  // namespace

std::string AddBackslash(const std::string& path) {
  if (!path.empty() && path.back() == kPathSeparator) return path;
  return path + kPathSeparator;
}

std::string RemoveBackslash(std::string path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
  return path;
}

std::string GetFileExtension(const std::string& path) {
  std::string name = path;
  std::replace(name.begin(), name.end(), '\\', '/');
  if (const auto slash = name.rfind('/'); slash != std::string::npos) {
    name = TrimSpaces(name.substr(slash + 1));
    if (name.empty()) return kNoExtension;
  }
  const auto dot = name.rfind('.');
  if (dot == std::string::npos) return kNoExtension;
  std::string extension = TrimSpaces(name.substr(dot + 1));
  if (extension.empty()) return kNoExtension;
  if (const auto anchor = extension.rfind('#'); anchor != std::string::npos)
    extension = TrimSpaces(extension.substr(0, anchor));
  return CharacterCount(extension) <= 6 ? extension : kNoExtension;
}

std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool FileIsPresent(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(PathFromUtf8(path), error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace qm::platform
