// Naming the kind of a drive and counting the CD-ROM drives.
#include "media/cmci_adv.h"
#include "platform/characters.h"
#include "platform/kernel.h"

std::string cMCI_Adv::OS_CheckDriveType(const std::string& DriveLetter) {
    if (Len(DriveLetter) != 1) return "Invalid Drive Letter";
    switch (GetDriveTypeA((UCase(DriveLetter) + ":\\").c_str())) {
        case DRIVE_UNKNOWN:
        case DRIVE_NO_ROOT_DIR:
            return "Unknown";
        case DRIVE_REMOVABLE:
            return "Removable";
        case DRIVE_FIXED:
            return "Fixed";
        case DRIVE_REMOTE:
            return "Remote";
        case DRIVE_CDROM:
            return "CD-ROM";
        default:
            return {};
    }
}

std::int16_t cMCI_Adv::OS_GetCdCount() {
    std::int16_t count = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (OS_CheckDriveType(std::string(1, letter)) == "CD-ROM") ++count;
    return count;
}
