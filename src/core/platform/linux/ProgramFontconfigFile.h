// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own file in the user's fontconfig folder. It rejects font
// files by their exact paths for every program of the user, in two groups:
// entries of the font folders that are no font files (kept away from
// fontconfig at start-up) and files the user unloaded (until installed
// again). Each entry keeps its path in hex beside its glob, so the file is
// read back exactly whatever bytes the path holds. The file is always
// written whole to a temporary file and renamed over the old one: a reader
// sees the old rules or the new, never half of them. No other file of the
// folder is ever touched.

#include <string>
#include <vector>

namespace qm::platform {

class ProgramFontconfigFile {
 public:
  enum class Group { kNotFonts, kUnloaded };

  // The file at RejectRulesFile() unless a path is given.
  ProgramFontconfigFile();
  explicit ProgramFontconfigFile(std::string path);

  const std::string& Path() const { return path_; }

  // The paths of a group as the file holds them now, in its order.
  std::vector<std::string> Entries(Group group) const;

  // Each returns false when the file could not be written; it is then as
  // it was. A change to nothing writes nothing; a file left without
  // entries is removed.
  bool Add(Group group, const std::vector<std::string>& paths);
  bool Remove(Group group, const std::vector<std::string>& paths);
  bool Replace(Group group, const std::vector<std::string>& paths);

  // The file's text for the given entries of both groups.
  static std::string Rules(const std::vector<std::string>& notFonts,
                           const std::vector<std::string>& unloaded);

 private:
  struct Contents {
    std::vector<std::string> notFonts;
    std::vector<std::string> unloaded;
    std::vector<std::string>& Of(Group group) {
      return group == Group::kNotFonts ? notFonts : unloaded;
    }
  };
  Contents Read() const;
  bool Write(const Contents& contents) const;

  std::string path_;
};

}  // namespace qm::platform
