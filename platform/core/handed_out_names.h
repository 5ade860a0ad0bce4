#pragma once
// The names behind the short paths GetShortPathNameA has handed out. The program upper-cases a
// short path and may delete the file and write it again under that form (a recording does);
// on a case-sensitive file system the new file then takes the spelling the caller gave, not
// the upper-cased one. The most recent few hundred are kept.
#include <filesystem>
#include <optional>
#include <string>

namespace drives {

void RememberHandedOut(const std::filesystem::path& folder, const std::string& shortName,
                       const std::string& name);

// The entry name whose short name, compared ignoring case, was handed out for the folder.
std::optional<std::string> HandedOutName(const std::filesystem::path& folder,
                                         const std::string& shortName);

}  // namespace drives
