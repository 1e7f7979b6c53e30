// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/linux/LinuxDrives.h"
#include "support/FolderTest.h"

namespace qm::platform {
namespace {

// As a desktop machine lists its mounts, in the kernel's order.
constexpr char kMountInfo[] =
    "22 29 0:20 / /sys rw,nosuid shared:7 - sysfs sysfs rw\n"
    "23 29 0:21 / /proc rw,nosuid shared:13 - proc proc rw\n"
    "24 29 0:5 / /dev rw,nosuid shared:2 - devtmpfs udev rw,size=8G\n"
    "25 24 0:22 / /dev/pts rw shared:3 - devpts devpts rw,gid=5\n"
    "26 29 0:23 / /run rw,nosuid shared:5 - tmpfs tmpfs rw,size=1G\n"
    "29 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
    "30 22 0:26 / /sys/fs/cgroup rw shared:9 - cgroup2 cgroup2 rw\n"
    "40 29 8:3 / /home rw,relatime shared:30 - ext4 /dev/sda3 rw\n"
    "41 29 8:17 / /media/ann/My\\040Stick rw shared:31 - vfat /dev/sdb1 rw\n"
    "42 29 11:0 / /mnt/cd ro shared:32 - iso9660 /dev/sr0 ro\n"
    "43 29 0:50 / /srv/share rw shared:33 - nfs4 server:/export rw\n"
    "44 29 0:51 / /home/ann/remote rw shared:34 - fuse.sshfs ann@host: rw\n"
    "45 29 8:33 / /data rw shared:35 - xfs /dev/sdc1 rw\n"
    "46 29 0:52 / /proc/sys/fs/binfmt_misc rw - binfmt_misc binfmt_misc rw\n";

DeviceFacts FactsWhere(std::string removableDevice) {
  return {[removableDevice](const std::string& device) { return device == removableDevice; },
          [](const std::string& device) {
            return device == "/dev/sdc1" ? std::string("Archive") : std::string();
          }};
}

TEST(LinuxDrivesTest, ListsTheVolumesThatHoldFilesRootFirstWithTheirKinds) {
  const std::vector<Drive> drives = DrivesFromMountInfo(kMountInfo, FactsWhere("/dev/sdc1"));
  std::vector<std::pair<std::string, DriveKind>> seen;
  for (const Drive& drive : drives) seen.emplace_back(drive.root, drive.kind);
  const std::vector<std::pair<std::string, DriveKind>> expected = {
      {"/", DriveKind::kFixed},
      {"/run/", DriveKind::kRamDisk},
      {"/home/", DriveKind::kFixed},
      {"/media/ann/My Stick/", DriveKind::kRemovable},  // under /media: removable
      {"/mnt/cd/", DriveKind::kCdRom},
      {"/srv/share/", DriveKind::kRemote},
      {"/home/ann/remote/", DriveKind::kRemote},
      {"/data/", DriveKind::kRemovable},  // the device says so
  };
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(drives.back().label, "Archive");
  EXPECT_EQ(drives.front().label, "");
}

TEST(LinuxDrivesTest, ParsesEscapesOptionalFieldsAndHiddenMounts) {
  const std::string text =
      "1 0 8:1 / /mnt/a\\011b\\134c rw shared:1 master:2 - ext4 /dev/sda1 rw\n"
      "2 0 8:2 / /mnt/x rw - ext4 /dev/sda2 rw\n"
      "3 0 8:3 / /mnt/x rw - btrfs /dev/sda3 rw\n"  // mounted over the one before
      "garbage line\n"
      "4 0 8:4 / /mnt/short rw -\n";
  const std::vector<MountEntry> mounts = ParseMountInfo(text);
  ASSERT_EQ(mounts.size(), 2u);
  EXPECT_EQ(mounts[0].mountPoint, "/mnt/a\tb\\c");
  EXPECT_EQ(mounts[1].mountPoint, "/mnt/x");
  EXPECT_EQ(mounts[1].fsType, "btrfs");
  EXPECT_EQ(mounts[1].source, "/dev/sda3");
}

TEST(LinuxDrivesTest, KindsFollowTypeDeviceAndPlace) {
  const DeviceFacts none;
  EXPECT_EQ(KindOf({"/x", "udf", "/dev/sdd"}, none), DriveKind::kCdRom);
  EXPECT_EQ(KindOf({"/x", "ext4", "/dev/sr1"}, none), DriveKind::kCdRom);
  EXPECT_EQ(KindOf({"/x", "cifs", "//srv/a"}, none), DriveKind::kRemote);
  EXPECT_EQ(KindOf({"/x", "ramfs", "none"}, none), DriveKind::kRamDisk);
  EXPECT_EQ(KindOf({"/run/media/ann/key", "exfat", "/dev/sde1"}, none), DriveKind::kRemovable);
  EXPECT_EQ(KindOf({"/mediafiles", "ext4", "/dev/sde1"}, none), DriveKind::kFixed);
  EXPECT_FALSE(HoldsFiles({"/dev/shm", "tmpfs", "tmpfs"}));
  EXPECT_FALSE(HoldsFiles({"/x", "fusectl", "fusectl"}));
  EXPECT_TRUE(HoldsFiles({"/devices", "ext4", "/dev/sdf"}));
}

class LinuxDriveFunctionsTest : public test::FolderTest {};

TEST_F(LinuxDriveFunctionsTest, FreeBytesAreCountedInSixtyFourBitsForAnyPathOnTheVolume) {
  const std::int64_t free = DiskFreeBytes(folder_);
  ASSERT_GE(free, 0);
  const std::filesystem::space_info space = std::filesystem::space(folder_);
  // Other processes write meanwhile; the two readings agree to a few MiB.
  EXPECT_NEAR(static_cast<double>(free), static_cast<double>(space.available), 64.0 * (1 << 20));
  EXPECT_EQ(DiskFreeBytes(folder_ + "/gone"), -1);
  EXPECT_EQ(DiskFreeBytes(""), -1);
}

TEST_F(LinuxDriveFunctionsTest, AVolumeThatIsNotMountedHasNoNameAndIsNoReadyCd) {
  EXPECT_EQ(DriveVolumeName(folder_ + "/"), "");
  EXPECT_FALSE(IsReadyCdDrive(folder_ + "/"));
  EXPECT_FALSE(IsReadyCdDrive("/"));
  const std::vector<Drive> drives = ListDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front().root, "/");
  for (const Drive& drive : drives) EXPECT_TRUE(std::filesystem::is_directory(drive.root));
}

}  // namespace
}  // namespace qm::platform
