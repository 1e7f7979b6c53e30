// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/ProgramFontconfigFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/catalogue/FamilyNames.h"
#include "core/platform/linux/FontFolderGuard.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

constexpr char kNotFontsTag[] = "not-a-font";
constexpr char kUnloadedTag[] = "unloaded";

// A glob of the exact path: "*" and "?" match themselves as well, and bytes
// the rules file cannot hold (not UTF-8, controls) match any byte.
std::string PathGlob(const std::string& path) {
  const bool plain = catalogue::IsPlainText(path);
  std::string glob;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (!plain && (byte < 0x20 || byte >= 0x80)) {
      glob += '?';
      continue;
    }
    switch (c) {
      case '&':
        glob += "&amp;";
        break;
      case '<':
        glob += "&lt;";
        break;
      case '>':
        glob += "&gt;";
        break;
      default:
        glob += c;
    }
  }
  return glob;
}

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string EntryLines(const std::vector<std::string>& paths, const char* tag) {
  std::string lines;
  for (const std::string& path : paths)
    lines += "      <glob>" + PathGlob(path) + "</glob><!-- " + tag + " " + Hex(path) + " -->\n";
  return lines;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes text next to path and renames it over path.
bool ReplaceFile(const std::string& path, const std::string& text) {
  std::error_code ignored;
  fs::create_directories(fs::path(path).parent_path(), ignored);
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  written = fsync(fd) == 0 && written;
  written = close(fd) == 0 && written;
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  fs::remove(temporary, ignored);
  return false;
}

}  // namespace

ProgramFontconfigFile::ProgramFontconfigFile() : path_(RejectRulesFile()) {}

ProgramFontconfigFile::ProgramFontconfigFile(std::string path) : path_(std::move(path)) {}

std::string ProgramFontconfigFile::Rules(const std::vector<std::string>& notFonts,
                                         const std::vector<std::string>& unloaded) {
  return "<?xml version=\"1.0\"?>\n"
         "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
         "<!-- Written by Quillmere: files in the user's font folders that are not font files,\n"
         "     and font files unloaded with Quillmere (installing one again lists it again). -->\n"
         "<fontconfig>\n  <selectfont>\n    <rejectfont>\n" +
         EntryLines(notFonts, kNotFontsTag) + EntryLines(unloaded, kUnloadedTag) +
         "    </rejectfont>\n  </selectfont>\n</fontconfig>\n";
}

ProgramFontconfigFile::Contents ProgramFontconfigFile::Read() const {
  Contents contents;
  static const std::regex kEntry("<!-- (not-a-font|unloaded) ([0-9a-f]*) -->");
  std::istringstream lines(FileText(path_));
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, kEntry)) continue;
    (match[1] == kNotFontsTag ? contents.notFonts : contents.unloaded).push_back(FromHex(match[2]));
  }
  return contents;
}

bool ProgramFontconfigFile::Write(const Contents& contents) const {
  if (path_.empty()) return false;
  if (contents.notFonts.empty() && contents.unloaded.empty()) {
    std::error_code error;
    fs::remove(path_, error);
    return !error;
  }
  const std::string rules = Rules(contents.notFonts, contents.unloaded);
  return FileText(path_) == rules || ReplaceFile(path_, rules);
}

std::vector<std::string> ProgramFontconfigFile::Entries(Group group) const {
  return Read().Of(group);
}

bool ProgramFontconfigFile::Add(Group group, const std::vector<std::string>& paths) {
  Contents contents = Read();
  std::vector<std::string>& entries = contents.Of(group);
  for (const std::string& path : paths)
    if (std::find(entries.begin(), entries.end(), path) == entries.end()) entries.push_back(path);
  return Write(contents);
}

bool ProgramFontconfigFile::Remove(Group group, const std::vector<std::string>& paths) {
  Contents contents = Read();
  std::erase_if(contents.Of(group), [&](const std::string& entry) {
    return std::find(paths.begin(), paths.end(), entry) != paths.end();
  });
  return Write(contents);
}

bool ProgramFontconfigFile::Replace(Group group, const std::vector<std::string>& paths) {
  Contents contents = Read();
  contents.Of(group) = paths;
  return Write(contents);
}

}  // namespace qm::platform
