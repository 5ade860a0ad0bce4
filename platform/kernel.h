#pragma once
// Kernel functions the program calls by their Windows names. Paths are Windows paths
// ("C:\MUSIC\SONG.MID"): drive letters map to mounted file systems and every component
// is resolved ignoring letter case (see platform/drives.h).
#include <cstdint>

// Writes the full form of an existing path, in Windows form with the names as stored on
// disk, and returns its length. Returns 0 when the path does not exist. When the buffer
// is too small nothing is written and the length needed, NUL included, is returned.
// There are no 8.3 names on Linux, so the "short" form is the long one.
std::uint32_t GetShortPathNameA(const char* longPath, char* shortPath, std::uint32_t bufferLength);

// Drive kinds GetDriveTypeA reports for a root path such as "C:\" (letter, colon, backslash).
inline constexpr std::uint32_t DRIVE_UNKNOWN = 0;
inline constexpr std::uint32_t DRIVE_NO_ROOT_DIR = 1;  // no such drive letter
inline constexpr std::uint32_t DRIVE_REMOVABLE = 2;    // the kernel's removable flag: USB sticks, card readers
inline constexpr std::uint32_t DRIVE_FIXED = 3;
inline constexpr std::uint32_t DRIVE_REMOTE = 4;       // nfs, cifs, sshfs and the like
inline constexpr std::uint32_t DRIVE_CDROM = 5;        // optical drives and disc images
inline constexpr std::uint32_t DRIVE_RAMDISK = 6;      // tmpfs, ramfs

// The kind of the drive whose root is given ("D:\"; nullptr for the current drive's).
std::uint32_t GetDriveTypeA(const char* rootPathName);
