// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/FontFolderGuard.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/platform/linux/LinuxPlatform.h"
#include "core/platform/linux/ProgramFontconfigFile.h"

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> TypeReason(fs::file_type type) {
  switch (type) {
    case fs::file_type::fifo:
      return "命名管道 (FIFO)";
    case fs::file_type::socket:
      return "套接字 (socket)";
    case fs::file_type::block:
    case fs::file_type::character:
      return "设备 (device)";
    default:
      return std::nullopt;
  }
}

// True when folder is ancestor or itself.
bool Holds(const fs::path& ancestor, const fs::path& folder) {
  auto a = ancestor.begin();
  auto f = folder.begin();
  for (; a != ancestor.end(); ++a, ++f)
    if (f == folder.end() || *a != *f) return false;
  return true;
}

std::optional<UnsafeEntry> LinkEntry(const fs::path& link) {
  std::error_code error;
  const fs::path target = fs::canonical(link, error);
  if (error == std::errc::too_many_symbolic_link_levels)
    return UnsafeEntry{link.string(), "链接循环 (link loop)"};
  if (error) return std::nullopt;  // dangling: nothing to open
  const fs::path folder = fs::canonical(link.parent_path(), error);
  if (!error && Holds(target, folder))
    return UnsafeEntry{link.string(), "链接到上级文件夹 (link to a parent folder)"};
  const fs::file_type type = fs::status(target, error).type();
  if (const std::optional<std::string> reason = TypeReason(type))
    return UnsafeEntry{link.string(), *reason + "，经链接 (through a link)",
                       type == fs::file_type::fifo};
  return std::nullopt;
}

std::optional<UnsafeEntry> Unsafe(const fs::directory_entry& entry) {
  std::error_code error;
  const fs::file_status own = entry.symlink_status(error);
  if (error) return std::nullopt;
  if (fs::is_symlink(own)) return LinkEntry(entry.path());
  if (const std::optional<std::string> reason = TypeReason(own.type()))
    return UnsafeEntry{entry.path().string(), *reason, own.type() == fs::file_type::fifo};
  return std::nullopt;
}

}  // namespace

std::vector<UnsafeEntry> FindUnsafeEntries(const std::string& folder) {
  std::vector<UnsafeEntry> found;
  std::error_code error;
  fs::recursive_directory_iterator walk(folder, fs::directory_options::skip_permission_denied,
                                        error);
  std::size_t looked = 0;
  for (; !error && walk != fs::recursive_directory_iterator() && looked < kMaxGuardedEntries;
       walk.increment(error), ++looked) {
    if (std::optional<UnsafeEntry> unsafe = Unsafe(*walk)) found.push_back(std::move(*unsafe));
  }
  return found;
}

std::string RejectRulesFile() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  std::string folder = configHome && configHome[0] == '/' ? configHome : "";
  if (folder.empty()) {
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    folder = home + "/.config";
  }
  return folder + "/fontconfig/conf.d/95-quillmere-rejects.conf";
}

std::vector<std::string> UserFontFolders() {
  std::vector<std::string> folders;
  if (std::string fonts = UserFontsFolder(); !fonts.empty()) folders.push_back(std::move(fonts));
  if (const std::string home = HomeFolder(); !home.empty()) folders.push_back(home + "/.fonts");
  return folders;
}

std::vector<UnsafeEntry> GuardUserFontFolders() {
  std::vector<UnsafeEntry> unsafe;
  for (const std::string& folder : UserFontFolders()) {
    std::vector<UnsafeEntry> found = FindUnsafeEntries(folder);
    unsafe.insert(unsafe.end(), found.begin(), found.end());
  }
  std::vector<std::string> paths;
  for (const UnsafeEntry& entry : unsafe) paths.push_back(entry.path);
  ProgramFontconfigFile().Replace(ProgramFontconfigFile::Group::kNotFonts, paths);
  return unsafe;
}

FifoReleaser::FifoReleaser(std::vector<std::string> fifos)
    : fifos_(std::move(fifos)), thread_(&FifoReleaser::Run, this) {}

FifoReleaser::~FifoReleaser() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void FifoReleaser::Run() {
  std::unique_lock lock(mutex_);
  while (!stop_) {
    // Without a reader the open fails at once (ENXIO); with one it lets the
    // reader's open return, and the close gives it the end of the file.
    for (const std::string& fifo : fifos_)
      if (const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC); writer >= 0)
        close(writer);
    wake_.wait_for(lock, std::chrono::milliseconds(20));
  }
}

}  // namespace qm::platform
