// Windows paths onto the Linux file system, ignoring letter case one component at a time.
#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/core/folder_listing.h"
#include "platform/core/handed_out_names.h"
#include "platform/drives.h"

namespace drives {

namespace fs = std::filesystem;

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// The parts between separators, empty ones included: a name that holds "\\" is put back
// together from them.
std::vector<std::string> splitComponents(const std::string& path) {
    std::vector<std::string> parts(1);
    for (char c : path) {
        if (isSeparator(c)) {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    return parts;
}

// The entry of a folder that a name stands for: the exact spelling, else the first entry
// (in code-point order) that matches ignoring case, else the entry whose short alias it is.
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) return name;
    const auto listing = ListingOf(folder);
    if (auto entry = listing->MatchIgnoringCase(name)) return entry;
    if (name.find('~') != std::string::npos) return listing->EntryWithAlias(name);
    return std::nullopt;
}

struct Start {
    fs::path root;    // mount point: ".." never climbs above it
    fs::path folder;  // where the relative components begin
    std::string rest;
};

std::optional<fs::path> walk(const Start& start, bool lastMayBeNew) {
    fs::path current = start.folder;
    const auto parts = splitComponents(start.rest);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (current != start.root) current = current.parent_path();
            continue;
        }
        auto entry = findEntry(current, part);
        // Linux names may hold "\\": try the name with the parts after it joined back on.
        std::string joined = part;
        for (std::size_t next = i + 1; !entry && next < parts.size() && joined.size() <= NAME_MAX;
             ++next) {
            joined += '\\' + parts[next];
            entry = findEntry(current, joined);
            if (entry) i = next;
        }
        if (!entry) {
            if (lastMayBeNew && i + 1 == parts.size())
                return current / HandedOutName(current, part).value_or(part);
            return std::nullopt;
        }
        current /= *entry;
        if (current.native().size() > kLongestPath) return std::nullopt;
    }
    std::error_code error;
    if (!lastMayBeNew && !fs::exists(current, error)) return std::nullopt;
    return current;
}

std::optional<Start> startOf(const std::string& path) {
    if (path.starts_with("/")) return Start{"/", "/", path};
    const bool hasDrive =
        path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
    const char letter = hasDrive ? path[0] : CurrentDrive();
    const auto drive = Find(letter);
    if (!drive) return std::nullopt;
    std::string rest = hasDrive ? path.substr(2) : path;
    if (!rest.empty() && isSeparator(rest.front()))
        return Start{drive->mountPoint, drive->mountPoint, rest};
    // Relative to the drive's current directory, itself an absolute Windows path.
    const auto here =
        walk({drive->mountPoint, drive->mountPoint, CurrentDirectory(letter).substr(2)}, false);
    if (!here) return std::nullopt;
    return Start{drive->mountPoint, *here, rest};
}

}  // namespace

std::optional<fs::path> Resolve(const std::string& windowsPath) {
    if (windowsPath.empty() || windowsPath.size() > kLongestPath) return std::nullopt;
    const auto start = startOf(windowsPath);
    return start ? walk(*start, false) : std::nullopt;
}

std::optional<fs::path> ResolveForCreate(const std::string& windowsPath) {
    if (windowsPath.empty() || windowsPath.size() > kLongestPath || isSeparator(windowsPath.back()))
        return std::nullopt;
    const auto start = startOf(windowsPath);
    return start ? walk(*start, true) : std::nullopt;
}

std::string ToWindows(const fs::path& linuxPath) {
    const fs::path path = linuxPath.lexically_normal();
    std::optional<Drive> best;
    std::size_t bestDepth = 0;
    for (const auto& drive : All()) {
        const auto relative = path.lexically_relative(drive.mountPoint);
        if (relative.empty() || *relative.begin() == "..") continue;
        const auto depth = static_cast<std::size_t>(
            std::distance(drive.mountPoint.begin(), drive.mountPoint.end()));
        if (!best || depth > bestDepth) best = drive, bestDepth = depth;
    }
    if (!best) return {};
    std::string result = std::string(1, best->letter) + ":";
    const auto relative = path.lexically_relative(best->mountPoint);
    for (const auto& part : relative) {
        if (part == "." || part.empty()) continue;
        result += '\\';
        result += part.string();
    }
    return result.size() == 2 ? result + "\\" : result;
}

}  // namespace drives
