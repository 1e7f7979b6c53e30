// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/install/DriveNodes.h"

namespace qm::install {

using platform::DriveKind;

std::string DefaultDriveLabel(DriveKind kind) {
  switch (kind) {
    case DriveKind::kRemovable:
      return "3.5 英寸软盘";
    case DriveKind::kFixed:
      return "本地磁盘";
    case DriveKind::kCdRom:
      return "CD 驱动器";
    default:
      return {};
  }
}

std::string MountPoint(const platform::Drive& drive) {
  std::string point = drive.root;
  while (point.size() > 1 && (point.back() == '/' || point.back() == '\\')) point.pop_back();
  return point;
}

std::string DriveNodeText(const platform::Drive& drive) {
  // Appended piece by piece: GCC 12 at -O3 warns falsely about chains of +.
  std::string text = drive.label.empty() ? DefaultDriveLabel(drive.kind) : drive.label;
  if (!text.empty()) text.append(" ");
  text.append("(").append(MountPoint(drive)).append(")");
  return text;
}

std::string DriveNodeKey(const platform::Drive& drive) {
  return std::string("root").append(MountPoint(drive));
}

std::string DrivePictureKey(DriveKind kind) {
  switch (kind) {
    case DriveKind::kFixed:
      return "fixed";
    case DriveKind::kRamDisk:
      return "ram";
    case DriveKind::kRemovable:
      return "remove";
    case DriveKind::kCdRom:
      return "cd";
    case DriveKind::kRemote:
      return "remote";
    default:
      return "unknown";
  }
}

}  // namespace qm::install
