#include <QCoreApplication>
#include <algorithm>
#include <filesystem>

#include "platform/core/folder_listing.h"
#include "platform/drives.h"
#include "platform/runtime.h"
#include "platform/user_interface.h"

namespace fs = std::filesystem;

namespace {

bool wantedByAttributes(const fs::directory_entry& entry, int attributes) {
    std::error_code error;
    const auto status = entry.status(error);
    if (error) return false;
    const std::string name = entry.path().filename().string();
    if (fs::is_directory(status)) return (attributes & vbDirectory) != 0;
    if (!fs::is_regular_file(status)) return (attributes & vbSystem) != 0;
    if (name.starts_with(".")) return (attributes & vbHidden) != 0;
    return true;
}

}  // namespace

std::string Dir(const std::string& pattern, int attributes) {
    const auto cut = pattern.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
    std::string name = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    // "C:NAME" names a file in the current directory of drive C.
    if (cut == std::string::npos && pattern.size() >= 2 && pattern[1] == ':') {
        folder = pattern.substr(0, 2);
        name = pattern.substr(2);
    }
    if (name.empty()) name = "*.*";
    if (name.find_first_of("*?") == std::string::npos) {
        // One name is looked up as a path is: letter case ignored, a short alias followed.
        const auto found = drives::Resolve(folder + name);
        const bool wanted = found && wantedByAttributes(fs::directory_entry(*found), attributes);
        return wanted ? found->filename().string() : std::string();
    }
    const auto where = drives::Resolve(folder.empty() ? "." : folder);
    if (!where) return {};
    const auto listing = drives::ListingOf(*where);
    // A pattern with "~" may match a short alias; then it finds the entry the alias stands for.
    const auto* aliases = name.find('~') != std::string::npos ? &listing->Aliases() : nullptr;
    const auto matchesAlias = [&](const std::string& entryName) {
        if (!aliases) return false;
        const auto alias = aliases->find(entryName);
        return alias != aliases->end() && drives::WildcardMatch(name, alias->second);
    };
    for (const std::string& entryName : listing->Names()) {
        const bool matches = drives::WildcardMatch(name, entryName) || matchesAlias(entryName);
        if (matches && wantedByAttributes(fs::directory_entry(*where / entryName), attributes))
            return entryName;
    }
    return {};
}

void DoEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    else
        DispatchPostedMessages();
}
