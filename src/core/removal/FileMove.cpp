// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/removal/FileMove.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace qm::removal {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

bool SameContents(const fs::path& a, const fs::path& b) {
  std::ifstream first(a, std::ios::binary);
  std::ifstream second(b, std::ios::binary);
  if (!first || !second) return false;
  return std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>());
}

// A name beside destination that nothing has, hidden and plainly temporary.
fs::path TemporaryBeside(const fs::path& destination) {
  std::random_device random;
  for (;;) {
    const fs::path candidate =
        destination.parent_path() /
        ("." + destination.filename().string() + "." + std::to_string(random()) + ".part");
    if (!Exists(candidate)) return candidate;
  }
}

// A copy of source (the link itself when it is one) at copy, checked.
bool CopyVerified(const fs::path& source, const fs::path& copy) {
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(source, error))) {
    const fs::path target = fs::read_symlink(source, error);
    if (!error) fs::create_symlink(target, copy, error);
    return !error && fs::read_symlink(copy, error) == target && !error;
  }
  if (!fs::copy_file(source, copy, fs::copy_options::none, error) || error) return false;
  return fs::file_size(source, error) == fs::file_size(copy, error) && !error &&
         SameContents(source, copy);
}

// Gives from the name to without replacing anything there: a hard link is
// refused when the name exists; where the file system has none, the name
// is checked just before the rename.
bool NameWithoutReplacing(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::create_hard_link(from, to, error);
  if (!error) {
    fs::remove(from, error);
    return true;
  }
  if (error == std::errc::file_exists || Exists(to)) return false;
  fs::rename(from, to, error);
  return !error;
}

}  // namespace

bool MoveFileVerified(const std::string& source, const std::string& destination) {
  const fs::path from(source);
  const fs::path to(destination);
  std::error_code error;
  if (!Exists(from) || Exists(to)) return false;
  fs::create_hard_link(from, to, error);
  if (!error) {
    fs::remove(from, error);
    return true;
  }
  if (error == std::errc::file_exists) return false;
  // Another file system, or one without hard links: copy, check, name, remove.
  const fs::path temporary = TemporaryBeside(to);
  if (!CopyVerified(from, temporary) || !NameWithoutReplacing(temporary, to)) {
    fs::remove(temporary, error);
    return false;
  }
  return fs::remove(from, error) && !error;
}

}  // namespace qm::removal
