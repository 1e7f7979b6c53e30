// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file on Linux: a temporary file beside it (mkstemp), written
// and synced, then renamed over the old name, which is atomic within a
// file system.

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "core/platform/FileReplacing.h"

namespace qm::platform {
namespace {

std::string Reason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "没有写入这个文件夹的权限";
    case EROFS:
      return "磁盘是只读的";
    case ENOSPC:
    case EDQUOT:
      return "磁盘空间不足";
    case ENOENT:
    case ENOTDIR:
      return "文件夹不存在";
    case EISDIR:
      return "这个名字已是一个文件夹";
    case ENAMETOOLONG:
      return "文件名太长";
    default:
      return strerror(error);
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The replaced file keeps its permissions; a new one gets what the user's
// file-creation mask allows.
mode_t ModeFor(const std::string& path) {
  struct stat old {};
  if (stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes the temporary file and renames it; 0 or the failing call's errno.
int WriteThenRename(int fd, const std::string& temporary, const std::string& path,
                    std::string_view bytes) {
  const bool written = fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
  int error = written ? 0 : errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  return error;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
  // A short name of its own, so that a name near the length limit still fits.
  const std::string pattern = FolderOf(path) + "/.quillmere-XXXXXX";
  std::vector<char> temporary(pattern.begin(), pattern.end());
  temporary.push_back('\0');
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return Reason(errno);
  const int error = WriteThenRename(fd, temporary.data(), path, bytes);
  if (error == 0) return {};
  unlink(temporary.data());
  return Reason(error);
}

}  // namespace qm::platform
