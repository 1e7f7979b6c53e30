// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps fontconfig away from what in the user's own font folders cannot be
// a font file. A FIFO would make it wait for ever when it opens it; a link
// to a folder that holds it makes it scan the same fonts again at every
// level, writing a cache file for each. The guard finds such entries before
// fontconfig scans and names each, by its exact path, in a <rejectfont> rule
// of the program's own file in the user's fontconfig folder: every program
// of the user is spared the links. Fontconfig still opens every file of a
// folder before it asks the rules, so a FIFO's readers are let through by
// a FifoReleaser as long as the program runs.

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm::platform {

struct UnsafeEntry {
  std::string path;
  std::string reason;   // "命名管道 (FIFO)", ...
  bool isFifo = false;  // opening it waits for a writer (also through a link)
};

// Entries looked at in one folder tree at most: start-up stays bounded.
inline constexpr std::size_t kMaxGuardedEntries = 100000;

// FIFOs, sockets, devices, links that loop, that lead to a folder holding
// them or to any of those, below folder; links are not followed.
std::vector<UnsafeEntry> FindUnsafeEntries(const std::string& folder);

// $XDG_CONFIG_HOME/fontconfig/conf.d/95-quillmere-rejects.conf (an absolute
// XDG_CONFIG_HOME, else ~/.config); empty without a home folder.
std::string RejectRulesFile();

// The user's own font folders: the fonts folder and ~/.fonts.
std::vector<std::string> UserFontFolders();

// Finds the unsafe entries of the user's own font folders and puts them
// into the program's fontconfig file, whose other entries stay. Returns the
// entries found.
std::vector<UnsafeEntry> GuardUserFontFolders();

// While it lives, whoever opens one of fifos to read gets through at once
// and reads an empty file, which no one takes for a font: a writer's end is
// opened and closed again whenever a reader waits.
class FifoReleaser {
 public:
  explicit FifoReleaser(std::vector<std::string> fifos);
  ~FifoReleaser();
  FifoReleaser(const FifoReleaser&) = delete;
  FifoReleaser& operator=(const FifoReleaser&) = delete;
  const std::vector<std::string>& Fifos() const { return fifos_; }

 private:
  void Run();

  std::vector<std::string> fifos_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace qm::platform
