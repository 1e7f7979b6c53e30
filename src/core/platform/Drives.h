// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The volumes that hold files, as the folder tree and the installer see
// them. Each system's backend implements these functions.

#include <cstdint>
#include <string>
#include <vector>

namespace qm::platform {

// The kinds a drive can be, numbered as the system's drive-type query
// numbers them.
enum class DriveKind {
  kUnknown = 0,
  kNoRoot = 1,
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

struct Drive {
  std::string root;  // where its files begin, ending in the separator ("C:\", "/media/usb/")
  DriveKind kind = DriveKind::kUnknown;
  std::string label;  // the volume's own name, empty when it has none
};

// Every mounted volume that holds files, the system's own first.
std::vector<Drive> ListDrives();

// Free bytes for the caller on the volume holding drive (a root or any
// path on it), or -1 when the system cannot tell.
std::int64_t DiskFreeBytes(const std::string& drive);

// The volume's name, or empty when the volume is not ready or gone.
std::string DriveVolumeName(const std::string& drive);

// True exactly when drive is an optical drive with a disc in it.
bool IsReadyCdDrive(const std::string& drive);

}  // namespace qm::platform
