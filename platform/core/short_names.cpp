#include "platform/core/short_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string_view>

#include "platform/core/folder_listing.h"
#include "platform/core/ignoring_case.h"

namespace drives {

namespace fs = std::filesystem;

namespace {

using NameSet = std::set<std::string, text::LessIgnoringCase>;

// ASCII only, whatever the locale says about other bytes.
bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool IsShortNameCharacter(char c) {
    constexpr std::string_view symbols = "!#$%&'()-@^_`{}~";
    return IsAsciiLower(c) || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           symbols.find(c) != std::string_view::npos;
}

// One to eight characters, then optionally a dot and one to three, all of them ASCII letters,
// digits or the symbols a short name allows. Letter case does not matter here.
bool IsShortNameForm(std::string_view name) {
    const auto dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
    if (dot != std::string_view::npos && extension.empty()) return false;
    return std::ranges::all_of(base, IsShortNameCharacter) &&
           std::ranges::all_of(extension, IsShortNameCharacter);
}

// Part of a long name as a short name holds it: letters upper-cased, spaces and dots left out,
// every other character it cannot hold (a whole UTF-8 sequence) as one "_".
std::string ShortCharacters(std::string_view part) {
    std::string out;
    for (char c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' || c == '.' || (byte & 0xC0) == 0x80) continue;
        if (!IsShortNameCharacter(c)) c = '_';
        out.push_back(IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return out;
}

std::uint16_t NameHash(std::string_view name) {
    std::uint32_t hash = 2166136261U;  // FNV-1a
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    return static_cast<std::uint16_t>(hash ^ (hash >> 16));
}

// "STEM~N.EXT", the stem cut so that the part before the dot has at most eight characters.
std::string Alias(const std::string& stem, int number, const std::string& extension) {
    const std::string tail = "~" + std::to_string(number);
    const std::string alias = stem.substr(0, 8 - std::min<std::size_t>(tail.size(), 8)) + tail;
    return extension.empty() ? alias : alias + "." + extension;
}

// The first alias of the name that nothing in `taken` already is.
std::string FreeAlias(const std::string& name, const NameSet& taken) {
    const auto dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string base = ShortCharacters(hasExtension ? name.substr(0, dot) : name);
    const std::string extension =
        hasExtension ? ShortCharacters(name.substr(dot + 1)).substr(0, 3) : std::string();
    for (int number = 1; number <= 4 && !base.empty(); ++number) {
        std::string alias = Alias(base.substr(0, 6), number, extension);
        if (!taken.contains(alias)) return alias;
    }
    char hash[5];
    std::snprintf(hash, sizeof hash, "%04X", NameHash(name));
    const std::string stem = base.substr(0, 2) + hash;
    for (int number = 1;; ++number) {
        std::string alias = Alias(stem, number, extension);
        if (!taken.contains(alias)) return alias;
    }
}

}  // namespace

std::map<std::string, std::string> AliasesFor(const std::vector<std::string>& sortedNames) {
    NameSet taken;
    NameSet clashing;  // one of each group of names that differ only in case
    for (const std::string& name : sortedNames) {
        if (!taken.insert(name).second) clashing.insert(name);
    }
    std::map<std::string, std::string> aliases;
    for (const std::string& name : sortedNames) {
        if (IsShortNameForm(name) && !clashing.contains(name)) continue;
        std::string alias = FreeAlias(name, taken);
        taken.insert(alias);
        aliases.emplace(name, std::move(alias));
    }
    return aliases;
}

std::map<std::string, std::string> AliasesOf(const fs::path& folder) {
    return ListingOf(folder)->Aliases();
}

std::string ShortNameOf(const fs::path& folder, const std::string& name) {
    const auto listing = ListingOf(folder);
    // Most names are their own short name; telling so needs no alias table.
    if (IsShortNameForm(name) && !listing->HasTwin(name)) return name;
    const auto& aliases = listing->Aliases();
    const auto found = aliases.find(name);
    return found == aliases.end() ? name : found->second;
}

std::optional<std::string> EntryWithAlias(const fs::path& folder, const std::string& alias) {
    return ListingOf(folder)->EntryWithAlias(alias);
}

}  // namespace drives
