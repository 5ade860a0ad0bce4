#include <QCoreApplication>
#include <algorithm>
#include <filesystem>

#include "platform/core/short_names.h"
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

std::vector<fs::directory_entry> sortedEntries(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    return entries;
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
    // A pattern with "~" may match a short alias; then it finds the entry the alias stands for.
    const auto aliases = name.find('~') != std::string::npos ? drives::AliasesOf(*where)
                                                             : std::map<std::string, std::string>();
    for (const auto& entry : sortedEntries(*where)) {
        const std::string entryName = entry.path().filename().string();
        const auto alias = aliases.find(entryName);
        const bool matches = drives::WildcardMatch(name, entryName) ||
                             (alias != aliases.end() && drives::WildcardMatch(name, alias->second));
        if (matches && wantedByAttributes(entry, attributes)) return entryName;
    }
    return {};
}

void DoEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    else
        DispatchPostedMessages();
}
