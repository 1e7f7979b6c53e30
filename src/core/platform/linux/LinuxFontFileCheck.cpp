// SPDX-License-Identifier: GPL-3.0-or-later
// Font files checked with FreeType; copies written with POSIX calls so
// that they reach the disk before they take their names.
#include <fcntl.h>
#include <ft2build.h>
#include <sys/stat.h>
#include <unistd.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "core/platform/FontFileCheck.h"

namespace qm::platform {
namespace {

// Each face of a collection costs FreeType a read of the collection's whole
// header, so a hostile one of thousands would take seconds; the first faces
// tell whether the file is usable, and a person reads no more names.
constexpr FT_Long kFacesLookedAt = 16;

class FreeTypeLibrary {
 public:
  FreeTypeLibrary() { FT_Init_FreeType(&library_); }
  ~FreeTypeLibrary() { FT_Done_FreeType(library_); }
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
  FT_Library Get() const { return library_; }

 private:
  FT_Library library_ = nullptr;
};

// The family of one face, or empty when FreeType cannot open it.
bool AddFaceFamily(FT_Library library, const std::string& path, FT_Long index,
                   std::vector<std::string>& families) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), index, &face) != 0) return false;
  const std::string family = face->family_name ? face->family_name : "";
  FT_Done_Face(face);
  if (!family.empty() && std::find(families.begin(), families.end(), family) == families.end())
    families.push_back(family);
  return true;
}

bool WriteAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, static_cast<size_t>(size));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool CopyBytes(int from, int to) {
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const ssize_t got = read(from, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(to, buffer.data(), got)) return false;
  }
}

// Renames without replacing; where the file system cannot promise that,
// a hard link does, and the temporary name is removed after it.
bool TakeName(const std::string& temporary, const std::string& target) {
  if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  const bool linked =
      (errno == EINVAL || errno == ENOSYS) && link(temporary.c_str(), target.c_str()) == 0;
  unlink(temporary.c_str());
  return linked;
}

}  // namespace

FontFileCheck CheckFontFile(const std::string& path) {
  FreeTypeLibrary library;
  FT_Face face = nullptr;
  const FT_Error error = FT_New_Face(library.Get(), path.c_str(), 0, &face);
  if (error == FT_Err_Cannot_Open_Resource) return {0, {}, "无法读取文件"};
  if (error != 0) return {0, {}, "不是可用的字体文件"};
  const FT_Long faces = std::min<FT_Long>(face->num_faces, kFacesLookedAt);
  FT_Done_Face(face);
  FontFileCheck check;
  for (FT_Long index = 0; index < faces; ++index)
    if (AddFaceFamily(library.Get(), path, index, check.families)) ++check.faces;
  if (check.faces == 0) check.problem = "不是可用的字体文件";
  return check;
}

std::string CopyToHiddenFile(const std::string& source, const std::string& target) {
  const std::filesystem::path targetPath(target);
  const std::string hiddenName =
      std::string(".").append(targetPath.filename().string()).append(".XXXXXX");
  std::string copy = (targetPath.parent_path() / hiddenName).string();
  const int from = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0) return {};
  const int to = mkostemp(copy.data(), O_CLOEXEC);
  if (to < 0) {
    close(from);
    return {};
  }
  bool copied = CopyBytes(from, to) && fchmod(to, 0644) == 0;
  copied = close(to) == 0 && copied;  // a full disk may tell only here
  close(from);
  if (copied) return copy;
  unlink(copy.c_str());
  return {};
}

std::vector<bool> CommitCopies(const std::vector<PendingCopy>& copies) {
  std::vector<bool> named(copies.size(), false);
  if (copies.empty()) return named;
  // One flush for the whole run: a flush per file would cost more than the copies.
  const int folder = open(std::filesystem::path(copies.front().copy).parent_path().c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool flushed = folder >= 0 && syncfs(folder) == 0;
  if (folder >= 0) close(folder);
  for (std::size_t i = 0; i < copies.size(); ++i) {
    if (flushed)
      named[i] = TakeName(copies[i].copy, copies[i].target);
    else
      unlink(copies[i].copy.c_str());
  }
  return named;
}

}  // namespace qm::platform
