// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/FolderListing.h"

#include <filesystem>
#include <system_error>

#include "core/platform/PathHelpers.h"

namespace qm::catalogue {

std::vector<FolderEntry> ListFolderFiles(const std::string& folder,
                                         platform::FileTypes* fileTypes) {
  namespace fs = std::filesystem;
  std::vector<FolderEntry> entries;
  const std::string prefix = platform::AddBackslash(folder);
  std::error_code error;
  fs::directory_iterator listing(platform::PathFromUtf8(prefix), error);
  if (error) return entries;
  fileinfo::CFileInfo info(fileTypes);
  for (const fs::directory_entry& item : listing) {
    std::error_code kindError;
    if (item.is_directory(kindError)) continue;
    entries.push_back(DescribeFile(folder, platform::Utf8FromPath(item.path().filename()), info));
  }
  return entries;
}

FolderEntry DescribeFile(const std::string& folder, std::string name, fileinfo::CFileInfo& info) {
  FolderEntry entry;
  entry.name = std::move(name);
  entry.path = platform::AddBackslash(folder) + entry.name;
  info.SetFullPathName(entry.path);
  if (info.FileExists()) {
    entry.readable = true;
    entry.size = info.FileSize();
    entry.modified = info.ModifyTime();
    entry.icon = info.hIcon();
  }
  return entry;
}

}  // namespace qm::catalogue
