// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One installation run over the entries of a folder's file list: each
// selected file is checked, then copied into the fonts folder under a
// hidden name or linked there where it lies, one entry per step. At the
// end the copies are flushed to the disk together and take their names,
// every prepared file is loaded with a single rescan, and what gave no new
// face is removed again.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/platform/FontResources.h"

namespace qm::install {

struct InstallEntry {
  std::string name;  // a bare file name in the source folder
  bool selected = false;
};

struct InstallOptions {
  std::string sourceFolder;
  std::string fontsFolder;
  bool copy = true;  // false: a link in the fonts folder to the file where it lies
};

enum class EntryOutcome {
  kNotSelected,
  kNameTaken,      // the fonts folder already has a file of that name
  kNotAFont,       // the font engine cannot use it: nothing copied
  kAlreadyLoaded,  // the fonts folder holds the same bytes, or the system already lists it
  kCopyFailed,     // nothing left behind
  kPrepared,       // copied or linked, loaded at the end
  kInstalled,
};

class InstallPass {
 public:
  InstallPass(InstallOptions options, std::vector<InstallEntry> entries,
              platform::FontResources& resources);

  std::size_t Total() const { return entries_.size(); }
  // The number of entries handled so far.
  std::size_t Done() const { return next_; }
  bool AtEnd() const { return next_ >= entries_.size(); }

  // Handles the next entry; call only before AtEnd().
  EntryOutcome Step();

  // Loads every prepared file with one rescan, removes the fresh ones that
  // gave no new face, and returns the paths in the fonts folder of the
  // files installed. Entries not reached keep kNotSelected.
  std::vector<std::string> Finish();

  int Installed() const { return installed_; }
  EntryOutcome Outcome(std::size_t entry) const { return outcomes_[entry]; }

 private:
  struct KnownFile {
    std::string path;
    std::uint64_t hash = 0;
    bool hashed = false;
  };

  EntryOutcome Prepare(const std::string& name);
  // The copy's hidden path or the link's path; empty when it failed.
  std::string PlaceFile(const std::string& source, const std::string& target) const;
  // Gives the copies their names; the entries whose copy could not take it fail.
  void NameCopies();
  void IndexFontsFolder();
  bool HoldsSameBytes(const std::string& source);

  InstallOptions options_;
  std::vector<InstallEntry> entries_;
  std::vector<EntryOutcome> outcomes_;
  platform::FontResources& resources_;
  std::size_t next_ = 0;
  int installed_ = 0;
  std::vector<std::size_t> prepared_;  // entry indexes
  std::vector<std::string> placed_;    // by prepared_: the hidden copy or the link
  std::map<std::uintmax_t, std::vector<KnownFile>> bySize_;  // the fonts folder's files
};

// The message shown when a run ends.
std::string InstallSummary(int installed);

}  // namespace qm::install
