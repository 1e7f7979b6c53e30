// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/install/InstallPass.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/platform/FontFileCheck.h"

namespace qm::install {
namespace {

namespace fs = std::filesystem;

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// FNV-1a: enough to tell files of equal size apart before comparing bytes.
std::uint64_t ContentHash(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Joined(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / name).string();
}

}  // namespace

InstallPass::InstallPass(InstallOptions options, std::vector<InstallEntry> entries,
                         platform::FontResources& resources)
    : options_(std::move(options)),
      entries_(std::move(entries)),
      outcomes_(entries_.size(), EntryOutcome::kNotSelected),
      resources_(resources) {
  std::error_code ignored;
  fs::create_directories(options_.fontsFolder, ignored);
  IndexFontsFolder();
}

void InstallPass::IndexFontsFolder() {
  std::error_code error;
  for (const auto& file : fs::directory_iterator(options_.fontsFolder, error)) {
    std::error_code sizeError;
    const std::uintmax_t size = file.is_regular_file(sizeError) ? file.file_size(sizeError) : 0;
    if (!sizeError && size > 0) bySize_[size].push_back({file.path().string()});
  }
}

bool InstallPass::HoldsSameBytes(const std::string& source) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(source, error);
  const auto sameSize = bySize_.find(size);
  if (error || sameSize == bySize_.end()) return false;
  const std::string bytes = FileBytes(source);
  const std::uint64_t hash = ContentHash(bytes);
  for (KnownFile& known : sameSize->second) {
    if (!known.hashed) known = {known.path, ContentHash(FileBytes(known.path)), true};
    if (known.hash == hash && FileBytes(known.path) == bytes) return true;
  }
  return false;
}

std::string InstallPass::PlaceFile(const std::string& source, const std::string& target) const {
  if (options_.copy) return platform::CopyToHiddenFile(source, target);
  std::error_code error;
  fs::create_symlink(fs::absolute(source, error), target, error);
  return error ? std::string() : target;
}

EntryOutcome InstallPass::Prepare(const std::string& name) {
  const std::string source = Joined(options_.sourceFolder, name);
  const std::string target = Joined(options_.fontsFolder, name);
  std::error_code error;
  if (fs::exists(fs::symlink_status(target, error))) return EntryOutcome::kNameTaken;
  if (platform::CheckFontFile(source).faces == 0) return EntryOutcome::kNotAFont;
  if (HoldsSameBytes(source)) return EntryOutcome::kAlreadyLoaded;
  const std::string placed = PlaceFile(source, target);
  if (placed.empty()) return EntryOutcome::kCopyFailed;
  placed_.push_back(placed);
  // Known from now on, so a second file of the same bytes in this run is seen.
  if (const std::uintmax_t size = fs::file_size(placed, error); !error)
    bySize_[size].push_back({placed});
  return EntryOutcome::kPrepared;
}

EntryOutcome InstallPass::Step() {
  const std::size_t index = next_++;
  if (entries_[index].selected) outcomes_[index] = Prepare(entries_[index].name);
  if (outcomes_[index] == EntryOutcome::kPrepared) prepared_.push_back(index);
  return outcomes_[index];
}

void InstallPass::NameCopies() {
  std::vector<platform::PendingCopy> copies;
  for (std::size_t i = 0; i < prepared_.size(); ++i)
    copies.push_back({placed_[i], Joined(options_.fontsFolder, entries_[prepared_[i]].name)});
  const std::vector<bool> named = platform::CommitCopies(copies);
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < prepared_.size(); ++i) {
    if (named[i])
      kept.push_back(prepared_[i]);
    else
      outcomes_[prepared_[i]] = EntryOutcome::kCopyFailed;
  }
  prepared_ = std::move(kept);
}

std::vector<std::string> InstallPass::Finish() {
  if (options_.copy) NameCopies();
  std::vector<std::string> paths;
  for (const std::size_t index : prepared_)
    paths.push_back(Joined(options_.fontsFolder, entries_[index].name));
  const std::vector<int> newFaces = resources_.AddFontResources(paths);
  std::vector<std::string> installed;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const bool counted = i < newFaces.size() && newFaces[i] > 0;
    outcomes_[prepared_[i]] = counted ? EntryOutcome::kInstalled : EntryOutcome::kAlreadyLoaded;
    if (counted) {
      installed.push_back(paths[i]);
      ++installed_;
    } else {
      std::error_code ignored;
      fs::remove(paths[i], ignored);
    }
  }
  prepared_.clear();
  placed_.clear();
  return installed;
}

std::string InstallSummary(int installed) {
  return "安装完毕！成功安装：" + std::to_string(installed) + " 个字体。";
}

}  // namespace qm::install
