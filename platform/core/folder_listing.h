#pragma once
// What a folder's listing yields, read once and kept until the folder changes, so that looking
// a name up ignoring case, or by its short alias, costs the same in a folder of 40 entries as in
// one of 40,000. A folder counts as changed when its device, inode, modification or status
// change time differs; a listing read within moments of the folder's last change is read again
// on its next use, since a change in the same clock tick would leave the time as it was.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace drives {

class FolderListing {
  public:
    explicit FolderListing(std::vector<std::string> names);

    const std::vector<std::string>& Names() const { return names_; }  // in code-point order
    // The first entry, in code-point order, that equals `name` ignoring case.
    std::optional<std::string> MatchIgnoringCase(const std::string& name) const;
    // Whether another entry than `name` equals it ignoring case.
    bool HasTwin(const std::string& name) const;
    // The entries that need a short alias, each with its alias (see short_names.h).
    const std::map<std::string, std::string>& Aliases() const;
    // The entry whose alias is `alias`, compared ignoring case.
    std::optional<std::string> EntryWithAlias(const std::string& alias) const;

  private:
    void MakeAliases() const;

    std::vector<std::string> names_;
    std::unordered_map<std::u32string, std::string> firstByFolded_;
    std::set<std::u32string> twins_;
    mutable std::once_flag aliasesMade_;
    mutable std::map<std::string, std::string> aliases_;
    mutable std::unordered_map<std::u32string, std::string> entryByFoldedAlias_;
};

// The folder's listing, read again only when the folder has changed. A folder that cannot be
// read lists nothing.
std::shared_ptr<const FolderListing> ListingOf(const std::filesystem::path& folder);

// How many times a folder has been read from disk in this process.
std::uint64_t FolderReads();

}  // namespace drives
