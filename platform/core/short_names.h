#pragma once
// Short (8.3) names as Windows gives them, so that an upper-cased short path still names
// exactly one file. An entry keeps its own name when that is a valid 8.3 name and no other
// entry of its folder has the same name ignoring case. Every other entry (a long name, a name
// with spaces, several dots, non-ASCII or other characters a short name cannot hold, or one
// of several names that differ only in case) gets an alias such as "LONGNA~1.WAV": the
// entries that need one take "~1" to "~4" in code-point order of their names, later ones a
// hashed form ("LO1A2B~1.WAV"), each skipping what another entry's name or alias already is.
// Aliases depend only on the folder's entries, so the same folder gives the same aliases.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace drives {

// The names, sorted in code-point order, that need an alias, each with its alias.
std::map<std::string, std::string> AliasesFor(const std::vector<std::string>& sortedNames);

// The entries of the folder that need an alias, each with its alias.
std::map<std::string, std::string> AliasesOf(const std::filesystem::path& folder);

// The short name of the folder's entry `name`: its alias, or the name itself.
std::string ShortNameOf(const std::filesystem::path& folder, const std::string& name);

// The entry of the folder whose alias is `alias` (compared ignoring case), or nothing.
std::optional<std::string> EntryWithAlias(const std::filesystem::path& folder,
                                          const std::string& alias);

}  // namespace drives
