#pragma once
// Kernel functions the program calls by their Windows names. Paths are Windows paths
// ("C:\MUSIC\SONG.MID"): drive letters map to mounted file systems and every component
// is resolved ignoring letter case (see platform/drives.h).
#include <cstdint>

// Writes the short form of an existing path and returns its length: "X:\" and each
// component by its short (8.3) name, the names that need one by an alias such as
// "LONGNA~1.WAV" that no other entry of its folder has, ignoring case (see
// platform/core/short_names.h). The path layer resolves these aliases back to the entries,
// so a short path, upper-cased or not, names the same file. Returns 0 when the path does not
// exist. When the buffer is too small nothing is written and the length needed, NUL
// included, is returned.
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
