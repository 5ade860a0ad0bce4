// Drive kinds and the CD-ROM count as the media class names them, over drive letters the
// test maps to a made-up mount table.
#include <gtest/gtest.h>

#include "media/cmci_adv.h"
#include "platform/core/drive_kind.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(DriveType, NamesEachKindAndCountsTheCdRomDrivesButNotTheRamDisk) {
    test_support::MciRecorder recorder;  // the media object's "close all" goes nowhere
    test_support::TempFolder sys;
    sys.Write("sdb/removable", "1\n");
    sys.MakeFolder("sdb/sdb1");
    test_support::ScopedDrives drives{{{'C', "/", "[/]"},
                                       {'D', "/media/STICK", "[STICK]"},
                                       {'E', "/mnt/music", "[music]"},
                                       {'F', "/media/DISC", "[DISC]"},
                                       {'G', "/mnt/ram", "[ram]"},
                                       {'H', "/run/gvfs", "[gvfs]"}}};
    drives::UseMountsForTesting("/dev/vda / ext4 rw 0 0\n"
                                "/dev/sdb1 /media/STICK vfat rw 0 0\n"
                                "server:/music /mnt/music nfs4 rw 0 0\n"
                                "/dev/sr0 /media/DISC iso9660 ro 0 0\n"
                                "tmpfs /mnt/ram tmpfs rw 0 0\n"
                                "gvfsd-fuse /run/gvfs fuse.gvfsd-fuse rw 0 0\n",
                                sys.path());
    cMCI_Adv mci;
    const struct {
        const char* letter;
        const char* expected;
    } cases[] = {
        {"C", "Fixed"},   {"c", "Fixed"},   {"D", "Removable"}, {"E", "Remote"},
        {"F", "CD-ROM"},  {"G", ""},        {"H", "Unknown"},
        {"Q", "Unknown"}, {"1", "Unknown"}, {"\u00e9", "Unknown"},  // one character, two bytes
        {"", "Invalid Drive Letter"}, {"CD", "Invalid Drive Letter"},
        {" C", "Invalid Drive Letter"},
    };
    for (const auto& c : cases) EXPECT_EQ(mci.OS_CheckDriveType(c.letter), c.expected) << c.letter;
    EXPECT_EQ(mci.OS_GetCdCount(), 1);
    drives::UseMountsForTesting("", {});
}

}  // namespace
