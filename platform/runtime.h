#pragma once
// Toolkit run-time services that need no window: directory search and pending events.
#include <string>

// Attribute bits of a directory search.
inline constexpr int vbNormal = 0;
inline constexpr int vbReadOnly = 1;
inline constexpr int vbHidden = 2;
inline constexpr int vbSystem = 4;
inline constexpr int vbVolume = 8;
inline constexpr int vbDirectory = 16;
inline constexpr int vbArchive = 32;

// First entry that matches the pattern (a Windows path whose last component may hold
// wildcards), or empty text. Ordinary, read-only and archive files always count; hidden
// files (names starting with ".") only with vbHidden, folders only with vbDirectory,
// sockets, pipes and devices (our "system" entries) only with vbSystem.
std::string Dir(const std::string& pattern, int attributes = vbNormal);

// Lets the event loop handle what is pending, then returns.
void DoEvents();
