#include <gtest/gtest.h>

#include <sstream>

#include "platform/core/mount_table.h"

namespace {

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
    const std::vector<std::pair<char, std::string>> expected{
        {'C', "/"}, {'D', "/home"}, {'E', "/media/user/USB STICK"}, {'F', "/mnt/music"},
        {'G', "/run/media/user/CDROM"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(table[0].label, "[/]");
    EXPECT_EQ(table[2].label, "[USB STICK]");
}

TEST(MountTable, NoMoreLettersThanTheAlphabetHas) {
    std::ostringstream text;
    for (int i = 0; i < 40; ++i) text << "/dev/sd" << i << " /mnt/v" << (100 + i) << " ext4 rw 0 0\n";
    std::istringstream mounts(text.str());
    const auto table = drives::DrivesFromMounts(mounts);
    ASSERT_EQ(table.size(), 24u);  // C: plus D: to Z:
    EXPECT_EQ(table.back().letter, 'Z');
}

}  // namespace
