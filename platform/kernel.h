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
