// SPDX-License-Identifier: GPL-3.0-or-later
// Drives on Windows: the logical drives, their kinds and volume names and
// the free space, asked through the ANSI calls with the drive's root.

#include <windows.h>

#include <algorithm>

#include "core/platform/Drives.h"
#include "core/platform/windows/WindowsText.h"

namespace qm::platform {
namespace {

// "C:\" for any text that begins with the drive letter ("C", "C:", "C:\Windows").
std::string RootOf(const std::string& drive) {
  return drive.empty() ? std::string() : drive.substr(0, 1) + ":\\";
}

// While it lives, a drive without a disc answers "not ready" instead of
// asking the user to insert one.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietDriveErrors() { SetErrorMode(previous_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

// The volume's name, or false when the drive is not ready.
bool ReadVolumeName(const std::string& root, std::string* name) {
  QuietDriveErrors quiet;
  char buffer[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(root.c_str(), buffer, sizeof buffer, nullptr, nullptr, nullptr,
                             nullptr, 0))
    return false;
  *name = Utf8FromAnsi(buffer);
  return true;
}

DriveKind KindOf(const std::string& root) {
  return static_cast<DriveKind>(GetDriveTypeA(root.c_str()));
}

// The drive letters of the logical drives, in alphabetical order.
std::vector<char> DriveLetters() {
  std::vector<char> letters;
  const DWORD mask = GetLogicalDrives();
  for (int bit = 0; bit < 26; ++bit)
    if (mask & (DWORD{1} << bit)) letters.push_back(static_cast<char>('A' + bit));
  return letters;
}

char SystemDriveLetter() {
  char folder[MAX_PATH] = {};
  return GetWindowsDirectoryA(folder, MAX_PATH) > 0 ? folder[0] : 'C';
}

}  // namespace

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  for (char letter : DriveLetters()) {
    Drive drive;
    drive.root = RootOf(std::string(1, letter));
    drive.kind = KindOf(drive.root);
    if (drive.kind == DriveKind::kNoRoot) continue;
    ReadVolumeName(drive.root, &drive.label);
    drives.push_back(std::move(drive));
  }
  const char system = SystemDriveLetter();
  std::stable_partition(drives.begin(), drives.end(),
                        [system](const Drive& drive) { return drive.root[0] == system; });
  return drives;
}

std::int64_t DiskFreeBytes(const std::string& drive) {
  QuietDriveErrors quiet;
  ULARGE_INTEGER freeToCaller{};
  if (drive.empty() || !GetDiskFreeSpaceExA(RootOf(drive).c_str(), &freeToCaller, nullptr, nullptr))
    return -1;
  return static_cast<std::int64_t>(freeToCaller.QuadPart);
}

std::string DriveVolumeName(const std::string& drive) {
  std::string name;
  if (!drive.empty()) ReadVolumeName(RootOf(drive), &name);
  return name;
}

bool IsReadyCdDrive(const std::string& drive) {
  std::string name;
  return !drive.empty() && KindOf(RootOf(drive)) == DriveKind::kCdRom &&
         ReadVolumeName(RootOf(drive), &name);
}

}  // namespace qm::platform
