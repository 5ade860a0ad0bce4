// Drive letters and kinds from made-up mount tables and a made-up /sys/block.
#include "platform/core/drive_kind.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/core/mount_table.h"
#include "platform/kernel.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr const char* kMounts =
    "/dev/vda / ext4 rw 0 0\n"
    "proc /proc proc rw 0 0\n"
    "/dev/sdb1 /media/u/STICK vfat rw 0 0\n"
    "/dev/mmcblk0p1 /media/u/CARD\\040READER exfat rw 0 0\n"
    "/dev/sr0 /media/u/DISC iso9660 ro 0 0\n"
    "/dev/sdd /media/u/DRIVE hfsplus ro 0 0\n"
    "server:/music /mnt/music nfs4 rw 0 0\n"
    "me@host:/ /mnt/ssh fuse.sshfs rw 0 0\n"
    "tmpfs /mnt/ram tmpfs rw 0 0\n"
    "overlay /srv/container overlay rw 0 0\n"
    "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
    "/dev/sdc2 /mnt/twice ext4 rw 0 0\n"
    "server:/twice /mnt/twice nfs rw 0 0\n";

class DriveKindTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& [file, text] :
             std::map<std::string, std::string>{{"vda/removable", "0\n"},
                                                {"sdb/removable", "1\n"},
                                                {"mmcblk0/removable", "1\n"},
                                                {"sdd/removable", "1\n"},
                                                {"sdd/device/type", "5\n"}})
            sys.Write(file, text);
        for (const char* partition : {"sdb/sdb1", "mmcblk0/mmcblk0p1"}) sys.MakeFolder(partition);
    }
    std::uint32_t KindOf(const char* folder) const {
        std::istringstream text(kMounts);
        return drives::DriveKind(folder, drives::ReadMountEntries(text), sys.path());
    }
    test_support::TempFolder sys;
};

TEST_F(DriveKindTest, EachMountTellsItsKind) {
    const struct {
        const char* folder;
        std::uint32_t kind;
    } cases[] = {
        {"/", DRIVE_FIXED},
        {"/media/u/STICK/songs", DRIVE_REMOVABLE},
        {"/media/u/CARD READER", DRIVE_REMOVABLE},
        {"/media/u/DISC", DRIVE_CDROM},
        {"/media/u/CARD", DRIVE_FIXED},  // only a name beside the card's mount point
        {"/media/u/DRIVE", DRIVE_CDROM},
        {"/mnt/music", DRIVE_REMOTE},
        {"/mnt/ssh/x", DRIVE_REMOTE},
        {"/mnt/ram", DRIVE_RAMDISK},
        {"/srv/container/data", DRIVE_FIXED},
        {"/proc/self", DRIVE_UNKNOWN},
        {"/run/user/1000/gvfs", DRIVE_UNKNOWN},
        {"/mnt/twice", DRIVE_REMOTE},  // the later mount hides the earlier one
    };
    for (const auto& c : cases) EXPECT_EQ(KindOf(c.folder), c.kind) << c.folder;
    EXPECT_EQ(drives::DriveKind("/", {}, sys.path()), DRIVE_UNKNOWN) << "no mount at all";
}

TEST(MountTable, RootIsCAndVolumesFollowInMountPointOrder) {
    std::istringstream mounts(
        "proc /proc proc rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "/dev/sdc1 /media/user/USB\\040STICK vfat rw 0 0\n"
        "/dev/sda2 /boot ext4 rw 0 0\n"
        "server:/music /mnt/music nfs4 rw 0 0\n"
        "/dev/sdb1 /home ext4 rw 0 0\n"
        "/dev/sdb1 /home ext4 rw 0 0\n"
        "/dev/sr0 /run/media/user/CDROM iso9660 ro 0 0\n"
        "cgroup /sys/fs/cgroup/cpu cgroup rw 0 0\n"
        "garbage\n");
    const auto table = drives::DrivesFromMounts(mounts);
    std::vector<std::pair<char, std::string>> seen;
    for (const auto& d : table) seen.emplace_back(d.letter, d.mountPoint.string());
    const std::vector<std::pair<char, std::string>> expected{{'C', "/"},
                                                             {'D', "/home"},
                                                             {'E', "/media/user/USB STICK"},
                                                             {'F', "/mnt/music"},
                                                             {'G', "/run/media/user/CDROM"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(table[0].label, "[/]");
    EXPECT_EQ(table[2].label, "[USB STICK]");
}

TEST(MountTable, NoMoreLettersThanTheAlphabetHas) {
    std::ostringstream text;
    for (int i = 0; i < 40; ++i)
        text << "/dev/sd" << i << " /mnt/v" << (100 + i) << " ext4 rw 0 0\n";
    std::istringstream mounts(text.str());
    const auto table = drives::DrivesFromMounts(mounts);
    ASSERT_EQ(table.size(), 24u);  // C: plus D: to Z:
    EXPECT_EQ(table.back().letter, 'Z');
}

}  // namespace
