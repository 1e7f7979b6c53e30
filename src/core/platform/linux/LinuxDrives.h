// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mounted volumes as the kernel lists them in /proc/self/mountinfo,
// told apart from the file systems that hold no files (proc, sysfs, ...).

#include <functional>
#include <string>
#include <vector>

#include "core/platform/Drives.h"

namespace qm::platform {

struct MountEntry {
  std::string mountPoint;  // unescaped, without trailing separator except for "/"
  std::string fsType;      // "ext4", "fuse.sshfs", ...
  std::string source;      // "/dev/sda1", "server:/export", ...
};

// The mounts of a mountinfo text, in its order; a later mount on the same
// point hides an earlier one, so only the last of each point is kept.
std::vector<MountEntry> ParseMountInfo(const std::string& text);

// False for the kernel's own file systems and anything mounted below
// /proc, /sys or /dev: no one keeps fonts there.
bool HoldsFiles(const MountEntry& mount);

// What the system knows about block devices, asked by device path.
struct DeviceFacts {
  std::function<bool(const std::string& device)> isRemovable;
  std::function<std::string(const std::string& device)> label;
};

DriveKind KindOf(const MountEntry& mount, const DeviceFacts& facts);

// The drives of a mountinfo text that hold files, the root first.
std::vector<Drive> DrivesFromMountInfo(const std::string& text, const DeviceFacts& facts);

// The facts from /sys/class/block and /dev/disk/by-label.
DeviceFacts SystemDeviceFacts();

}  // namespace qm::platform
