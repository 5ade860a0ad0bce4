#pragma once
// Drive letters and Windows-form paths on Linux.
//
// C: is the root file system "/". Further letters, D: to Z:, go to other mounted volumes
// (block devices and network shares, not /proc, /sys or /dev), in the order of their mount
// points, so the same mounts give the same letters from run to run.
//
// A Windows path is resolved one component at a time. A component that exists with exactly
// that spelling wins; otherwise the first entry of the folder that matches it ignoring case,
// in code-point order of the names, is taken. So "SONG.MID" finds "song.mid", and in a folder
// holding both "Song.mid" and "song.mid" it finds "Song.mid", the same one on every call.
// A component that is the short alias of an entry (see platform/core/short_names.h) finds that
// entry, and a Linux name that holds "\" is found from the components it reads as.
// Empty components ("C:\\SONG.MID"), "." and ".." are handled as Windows handles them.
// A path that starts with "/" is taken as a Linux path and resolved the same way.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace drives {

struct Drive {
    char letter;                       // upper case
    std::filesystem::path mountPoint;  // where the letter points
    std::string label;                 // what the drive list shows after "x: "
};

// The current table; read from the system's mounts on first use and by Refresh().
std::vector<Drive> All();
std::optional<Drive> Find(char letter);
void Refresh();

// Replaces the table until the next ReplaceForTesting({}), which returns to the system's mounts.
void ReplaceForTesting(std::vector<Drive> table);

// Each drive keeps its own current directory, as on Windows. Starts at the mount point,
// except for the drive of the process's working directory, which starts there (a working
// directory that has been deleted still counts, as a folder that cannot be read).
std::string CurrentDirectory(char letter);  // Windows form, e.g. "C:\WORK"
void SetCurrentDirectory(const std::string& windowsPath);
char CurrentDrive();  // the drive of the process's working directory

// Windows form of a Linux path, by the drive whose mount point holds it most closely.
std::string ToWindows(const std::filesystem::path& linuxPath);

// Longer paths (in bytes, before or after resolution) name nothing: Linux refuses them.
constexpr std::size_t kLongestPath = 4096;

// The existing file or folder a Windows path names, or nothing.
std::optional<std::filesystem::path> Resolve(const std::string& windowsPath);

// For a file about to be created: the folder must exist, the last name is kept as given
// unless an existing entry matches it ignoring case.
std::optional<std::filesystem::path> ResolveForCreate(const std::string& windowsPath);

// Wildcard match as Windows does it on names: '*' any run, '?' one character, letter case ignored.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace drives
