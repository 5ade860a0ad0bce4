#include "platform/core/folder_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>

#include "platform/core/ignoring_case.h"
#include "platform/core/short_names.h"

namespace drives {

namespace fs = std::filesystem;

FolderListing::FolderListing(std::vector<std::string> names) : names_(std::move(names)) {
    std::ranges::sort(names_);  // UTF-8 bytes sort in code-point order
    for (const std::string& name : names_) {
        auto folded = text::Folded(name);
        if (firstByFolded_.contains(folded))
            twins_.insert(std::move(folded));
        else
            firstByFolded_.emplace(std::move(folded), name);
    }
}

std::optional<std::string> FolderListing::MatchIgnoringCase(const std::string& name) const {
    const auto found = firstByFolded_.find(text::Folded(name));
    if (found == firstByFolded_.end()) return std::nullopt;
    return found->second;
}

bool FolderListing::HasTwin(const std::string& name) const {
    return twins_.contains(text::Folded(name));
}

void FolderListing::MakeAliases() const {
    std::call_once(aliasesMade_, [this] {
        aliases_ = AliasesFor(names_);
        for (const auto& [name, alias] : aliases_)
            entryByFoldedAlias_.emplace(text::Folded(alias), name);
    });
}

const std::map<std::string, std::string>& FolderListing::Aliases() const {
    MakeAliases();
    return aliases_;
}

std::optional<std::string> FolderListing::EntryWithAlias(const std::string& alias) const {
    MakeAliases();
    const auto found = entryByFoldedAlias_.find(text::Folded(alias));
    if (found == entryByFoldedAlias_.end()) return std::nullopt;
    return found->second;
}

namespace {

// Longer than the coarse clock's tick that stamps changes, on any kernel configuration.
constexpr std::chrono::nanoseconds kTimeStampTick = std::chrono::milliseconds(50);
// Folders whose listings are kept; the least recently used goes first.
constexpr std::size_t kFoldersKept = 16;

std::chrono::nanoseconds SinceEpoch(const timespec& time) {
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
}

struct Identity {
    dev_t device;
    ino_t inode;
    std::chrono::nanoseconds modified;
    std::chrono::nanoseconds changed;  // also moves when the folder's permissions change
    bool operator==(const Identity&) const = default;
};

struct Kept {
    Identity identity;
    bool settled;  // read well after the folder's last change
    std::uint64_t lastUse;
    std::shared_ptr<const FolderListing> listing;
};

std::atomic<std::uint64_t> reads{0};

std::vector<std::string> ReadNames(const fs::path& folder) {
    ++reads;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

class Cache {
  public:
    std::shared_ptr<const FolderListing> Find(const fs::path& folder, const Identity& identity) {
        std::lock_guard lock(mutex_);
        const auto found = kept_.find(folder);
        if (found == kept_.end() || !found->second.settled || !(found->second.identity == identity))
            return nullptr;
        found->second.lastUse = ++uses_;
        return found->second.listing;
    }

    void Keep(const fs::path& folder, Kept kept) {
        std::lock_guard lock(mutex_);
        kept.lastUse = ++uses_;
        kept_.insert_or_assign(folder, std::move(kept));
        if (kept_.size() <= kFoldersKept) return;
        kept_.erase(std::ranges::min_element(
            kept_, {}, [](const auto& entry) { return entry.second.lastUse; }));
    }

  private:
    std::mutex mutex_;
    std::map<fs::path, Kept> kept_;
    std::uint64_t uses_ = 0;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

}  // namespace

std::shared_ptr<const FolderListing> ListingOf(const fs::path& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::make_shared<const FolderListing>(std::vector<std::string>());
    const Identity identity{status.st_dev, status.st_ino, SinceEpoch(status.st_mtim),
                            SinceEpoch(status.st_ctim)};
    if (auto kept = TheCache().Find(folder, identity)) return kept;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    auto listing = std::make_shared<const FolderListing>(ReadNames(folder));
    const bool settled = identity.modified + kTimeStampTick < SinceEpoch(now);
    TheCache().Keep(folder, {identity, settled, 0, listing});
    return listing;
}

std::uint64_t FolderReads() {
    return reads;
}

}  // namespace drives
