// Drive letters and kinds from made-up mount tables and a made-up /sys/block.
#include "platform/core/drive_kind.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/core/mount_table.h"
#include "platform/kernel.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr const char* kMounts =
    "/dev/vda / ext4 rw 0 0\n"
    "proc /proc proc rw 0 0\n"
    "/dev/sdb1 /media/u/STICK vfat rw 0 0\n"
    "/dev/mmcblk0p1 /media/u/CARD\\040R\\011\\134\u00e9 exfat rw 0 0\n"
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
        mounts = drives::ReadMounts(sys.Write("mounts", kMounts));
    }
    std::uint32_t KindOf(const char* folder) const {
        return drives::DriveKind(folder, mounts, sys.path());
    }
    test_support::TempFolder sys;
    std::vector<drives::MountEntry> mounts;
};

TEST_F(DriveKindTest, EachMountTellsItsKind) {
    const struct {
        const char* folder;
        std::uint32_t kind;
    } cases[] = {
        {"/", DRIVE_FIXED},
        {"/media/u/STICK/songs", DRIVE_REMOVABLE},
        {"/media/u/CARD R\t\\\u00e9", DRIVE_REMOVABLE},
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

}  // namespace
