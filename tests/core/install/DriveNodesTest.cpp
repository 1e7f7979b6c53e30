// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/install/DriveNodes.h"

namespace qm::install {
namespace {

using platform::DriveKind;

TEST(DriveNodesTest, TextIsLabelOrKindDefaultThenTheMountPoint) {
  EXPECT_EQ(DriveNodeText({"/", DriveKind::kFixed, ""}), "本地磁盘 (/)");
  EXPECT_EQ(DriveNodeText({"/media/a/B k/", DriveKind::kRemovable, "Stick"}),
            "Stick (/media/a/B k)");
  EXPECT_EQ(DriveNodeText({"/mnt/cd/", DriveKind::kCdRom, ""}), "CD 驱动器 (/mnt/cd)");
  EXPECT_EQ(DriveNodeText({"/srv/nfs/", DriveKind::kRemote, ""}), "(/srv/nfs)");
  EXPECT_EQ(DriveNodeText({"/run/", DriveKind::kRamDisk, "mem"}), "mem (/run)");
}

TEST(DriveNodesTest, KeyIsRootAndTheMountPoint) {
  EXPECT_EQ(DriveNodeKey({"/", DriveKind::kFixed, ""}), "root/");
  EXPECT_EQ(DriveNodeKey({"/media/usb/", DriveKind::kRemovable, "x"}), "root/media/usb");
  EXPECT_EQ(DrivePictureKey(DriveKind::kRemote), "remote");
  EXPECT_EQ(DrivePictureKey(DriveKind::kNoRoot), "unknown");
}

}  // namespace
}  // namespace qm::install
