// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Path and file helpers shared by several windows. They hold no state.

#include <filesystem>
#include <string>

namespace qm::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// path followed by the separator unless it already ends with one; an empty
// path gives the separator alone (the root folder).
std::string AddBackslash(const std::string& path);

// path without the separators it ends with, but the root folder's own.
std::string RemoveBackslash(std::string path);

// The extension of the file a path names, at most six characters, or a
// single space when there is none. Both "\" and "/" separate folders, and
// an anchor after "#" is dropped ("page.htm#top" gives "htm").
std::string GetFileExtension(const std::string& path);

// A file-system path from UTF-8 text and back: on Windows the narrow form
// of a path is not UTF-8.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// True when path names a file (hidden and read-only ones included); false
// for a folder, a missing file or a path that cannot be looked at.
bool FileIsPresent(const std::string& path);

}  // namespace qm::platform
