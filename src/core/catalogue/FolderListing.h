// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of one folder as the font-file list shows them.

#include <string>
#include <vector>

#include "core/fileinfo/FileInfo.h"
#include "core/platform/FileTypes.h"

namespace qm::catalogue {

struct FolderEntry {
  std::string name;       // as stored on disk, without folder
  std::string path;       // folder and name, the bytes the file system knows it by
  bool readable = false;  // false when the file could not be looked at
  std::uint64_t size = 0;
  fileinfo::FileDateTime modified;
  platform::FileIconKey icon = 0;
};

// The file name of folder as the list shows it, looked at through info
// (which keeps what it learns of file types from one file to the next).
FolderEntry DescribeFile(const std::string& folder, std::string name, fileinfo::CFileInfo& info);

// Every file of folder (hidden ones too, no subfolders, whatever the kind)
// in the order the folder lists them; empty for a missing folder. An empty
// folder path means the root folder. fileTypes may be null.
std::vector<FolderEntry> ListFolderFiles(const std::string& folder, platform::FileTypes* fileTypes);

}  // namespace qm::catalogue
