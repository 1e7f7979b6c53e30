// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/linux/LinuxDrives.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

// Mountinfo and udev's link names write awkward bytes as a backslash and
// either three octal digits (\040) or x and two hex digits (\x20).
bool IsOctal(char c) { return c >= '0' && c <= '7'; }

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '\\' && i + 3 < text.size();
    if (escape && text[i + 1] == 'x' && std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else if (escape && IsOctal(text[i + 1]) && IsOctal(text[i + 2]) && IsOctal(text[i + 3])) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

bool IsBelow(const std::string& path, std::string_view folder) {
  return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

bool OneOf(const std::string& value, std::initializer_list<std::string_view> set) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

std::string FirstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// The kernel's name of a device node ("sda1" for /dev/sda1), through links.
std::string KernelName(const std::string& device) {
  std::error_code error;
  const fs::path resolved = fs::canonical(device, error);
  return error ? std::string() : resolved.filename().string();
}

bool SysRemovable(const std::string& device) {
  const std::string name = KernelName(device);
  if (name.empty()) return false;
  // A partition has no flag of its own: its disk, the folder above, has it.
  const fs::path own = fs::path("/sys/class/block") / name / "removable";
  std::error_code error;
  const fs::path disk = fs::canonical(fs::path("/sys/class/block") / name, error).parent_path();
  return FirstLine(own) == "1" || (!error && FirstLine(disk / "removable") == "1");
}

std::string LabelFromUdev(const std::string& device) {
  std::error_code error;
  const fs::path resolved = fs::canonical(device, error);
  if (error) return {};
  for (const auto& link : fs::directory_iterator("/dev/disk/by-label", error)) {
    std::error_code linkError;
    if (fs::canonical(link.path(), linkError) == resolved && !linkError)
      return Unescaped(link.path().filename().string());
  }
  return {};
}

std::string MountInfoText() {
  std::ifstream in("/proc/self/mountinfo");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string WithSeparator(const std::string& path) {
  return path.ends_with('/') ? path : path + "/";
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The mount whose point is exactly drive's root: a volume that has gone has none.
const MountEntry* MountAt(const std::vector<MountEntry>& mounts, const std::string& drive) {
  const std::string point = WithoutTrailingSeparator(drive);
  const auto found = std::find_if(mounts.begin(), mounts.end(),
                                  [&](const MountEntry& m) { return m.mountPoint == point; });
  return found == mounts.end() ? nullptr : &*found;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text) {
  std::vector<MountEntry> mounts;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::vector<std::string> fields = Fields(line);
    const auto dash = std::find(fields.begin(), fields.end(), "-");
    // Six fixed fields, optional ones, the dash, then type and source.
    if (fields.size() < 6 || dash - fields.begin() < 6 || fields.end() - dash < 3) continue;
    MountEntry mount{WithoutTrailingSeparator(Unescaped(fields[4])), *(dash + 1),
                     Unescaped(*(dash + 2))};
    std::erase_if(mounts, [&](const MountEntry& m) { return m.mountPoint == mount.mountPoint; });
    mounts.push_back(std::move(mount));
  }
  return mounts;
}

bool HoldsFiles(const MountEntry& mount) {
  static constexpr std::array<std::string_view, 3> kSystemFolders = {"/proc", "/sys", "/dev"};
  for (std::string_view folder : kSystemFolders)
    if (IsBelow(mount.mountPoint, folder)) return false;
  return !OneOf(
      mount.fsType,
      {"proc",       "sysfs",   "cgroup",    "cgroup2",    "devpts",          "devtmpfs",
       "mqueue",     "debugfs", "tracefs",   "securityfs", "pstore",          "bpf",
       "configfs",   "fusectl", "hugetlbfs", "autofs",     "binfmt_misc",     "efivarfs",
       "rpc_pipefs", "nsfs",    "selinuxfs", "nfsd",       "fuse.gvfsd-fuse", "fuse.portal"});
}

DriveKind KindOf(const MountEntry& mount, const DeviceFacts& facts) {
  const std::string& type = mount.fsType;
  if (OneOf(type, {"iso9660", "udf"}) || mount.source.starts_with("/dev/sr"))
    return DriveKind::kCdRom;
  if (OneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "9p",
                   "glusterfs", "fuse.sshfs", "fuse.rclone", "fuse.davfs", "davfs",
                   "fuse.glusterfs", "fuse.cephfs", "fuse.s3fs"}))
    return DriveKind::kRemote;
  if (OneOf(type, {"tmpfs", "ramfs"})) return DriveKind::kRamDisk;
  const bool onRemovableDevice =
      mount.source.starts_with("/dev/") && facts.isRemovable && facts.isRemovable(mount.source);
  if (onRemovableDevice || IsBelow(mount.mountPoint, "/media") ||
      IsBelow(mount.mountPoint, "/run/media"))
    return DriveKind::kRemovable;
  return DriveKind::kFixed;
}

std::vector<Drive> DrivesFromMountInfo(const std::string& text, const DeviceFacts& facts) {
  std::vector<Drive> drives;
  for (const MountEntry& mount : ParseMountInfo(text)) {
    if (!HoldsFiles(mount)) continue;
    const bool onDevice = mount.source.starts_with("/dev/") && facts.label;
    drives.push_back({WithSeparator(mount.mountPoint), KindOf(mount, facts),
                      onDevice ? facts.label(mount.source) : std::string()});
  }
  std::stable_partition(drives.begin(), drives.end(),
                        [](const Drive& drive) { return drive.root == "/"; });
  return drives;
}

DeviceFacts SystemDeviceFacts() { return {SysRemovable, LabelFromUdev}; }

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives = DrivesFromMountInfo(MountInfoText(), SystemDeviceFacts());
  // A file bound over a file (a container's /etc/hosts) is no place for folders.
  std::erase_if(drives, [](const Drive& drive) {
    std::error_code error;
    return !fs::is_directory(drive.root, error);
  });
  return drives;
}

std::int64_t DiskFreeBytes(const std::string& drive) {
  struct statvfs info {};
  if (drive.empty() || statvfs(drive.c_str(), &info) != 0) return -1;
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(info.f_bavail) *
                                   static_cast<std::uint64_t>(info.f_frsize));
}

std::string DriveVolumeName(const std::string& drive) {
  const std::vector<MountEntry> mounts = ParseMountInfo(MountInfoText());
  const MountEntry* mount = MountAt(mounts, drive);
  if (!mount || !mount->source.starts_with("/dev/")) return {};
  return LabelFromUdev(mount->source);
}

bool IsReadyCdDrive(const std::string& drive) {
  const std::vector<MountEntry> mounts = ParseMountInfo(MountInfoText());
  const MountEntry* mount = MountAt(mounts, drive);
  return mount && KindOf(*mount, {}) == DriveKind::kCdRom;
}

}  // namespace qm::platform
