// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the folder tree names a drive: the text a person reads and the key
// the node is found by.

#include <string>

#include "core/platform/Drives.h"

namespace qm::install {

// The text shown when a volume has no label of its own; empty for kinds
// that have none.
std::string DefaultDriveLabel(platform::DriveKind kind);

// The label, else the kind's default, then the root in parentheses:
// "本地磁盘 (/)", "Backup (/media/usb)". Without either, the root alone in
// parentheses.
std::string DriveNodeText(const platform::Drive& drive);

// "root" followed by the root as the system writes it, without a trailing
// separator except for the system's own root: "root/", "root/media/usb".
std::string DriveNodeKey(const platform::Drive& drive);

// The picture key of the tree for a kind ("fixed", "cd", ...).
std::string DrivePictureKey(platform::DriveKind kind);

// The drive root without its trailing separator (the system's root keeps it).
std::string MountPoint(const platform::Drive& drive);

}  // namespace qm::install
