// The drive letters in use and each drive's current directory. Guarded by one mutex because
// the media service resolves paths on the caller's thread while the window may refresh.
#include <cctype>
#include <map>
#include <mutex>
#include <string_view>

#include "platform/core/mount_table.h"
#include "platform/drives.h"

namespace drives {

namespace {

struct State {
    std::mutex mutex;
    std::vector<Drive> table;
    bool loaded = false;
    bool replaced = false;
    std::map<char, std::string> currentDirectories;
};

State& state() {
    static State instance;
    return instance;
}

std::vector<Drive> readSystemMounts() {
    return DrivesFromMounts(ReadMounts(CurrentMountSource().mounts));
}

// Caller holds the mutex.
const std::vector<Drive>& tableLocked(State& s) {
    if (!s.loaded) {
        s.table = readSystemMounts();
        s.loaded = true;
    }
    return s.table;
}

char upper(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

// The process's working directory. Once it has been deleted getcwd fails, but the kernel still
// names the folder it was ("/x/y (deleted)"); that folder then reads as any unreadable one.
std::filesystem::path workingDirectory() {
    std::error_code error;
    const auto cwd = std::filesystem::current_path(error);
    if (!error) return cwd;
    std::string former = std::filesystem::read_symlink("/proc/self/cwd", error).string();
    constexpr std::string_view deleted = " (deleted)";
    if (former.ends_with(deleted)) former.resize(former.size() - deleted.size());
    return !error && former.starts_with('/') ? std::filesystem::path(former) : "/";
}

}  // namespace

std::vector<Drive> All() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return tableLocked(s);
}

std::optional<Drive> Find(char letter) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    for (const auto& drive : tableLocked(s))
        if (drive.letter == upper(letter)) return drive;
    return std::nullopt;
}

void Refresh() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.replaced) s.table = readSystemMounts();
    s.loaded = true;
}

void ReplaceForTesting(std::vector<Drive> table) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.replaced = !table.empty();
    s.table = s.replaced ? std::move(table) : readSystemMounts();
    s.loaded = true;
    s.currentDirectories.clear();
}

char CurrentDrive() {
    const std::string windows = ToWindows(workingDirectory());
    return windows.empty() ? 'C' : windows.front();
}

std::string CurrentDirectory(char letter) {
    letter = upper(letter);
    {
        auto& s = state();
        std::lock_guard lock(s.mutex);
        if (auto it = s.currentDirectories.find(letter); it != s.currentDirectories.end())
            return it->second;
    }
    if (letter == CurrentDrive()) return ToWindows(workingDirectory());
    return std::string(1, letter) + ":\\";
}

void SetCurrentDirectory(const std::string& windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.currentDirectories[upper(windowsPath[0])] = windowsPath;
}

}  // namespace drives
