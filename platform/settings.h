#pragma once
// The per-user settings store: text values by application, section and key.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The stored text, or Default when the key is missing or the store cannot be read. A damaged
// or unreadable store is read as an empty one, silently, and so is a value holding a NUL, which
// no path, number or option can hold. Only a regular file of a sane size is ever read: a FIFO
// or a device node in its place would block or never end.
std::string GetSetting(const std::string& AppName, const std::string& Section,
                       const std::string& Key, const std::string& Default = "");

// Writes every pair in one replacement of the store's file, so a failed write leaves the
// previous file as it was; the failure raises RuntimeError 70 (Permission denied). A store that
// is not a regular file (or a link to one) is left untouched, said once on standard error.
void SaveAllSettings(const std::string& AppName, const std::string& Section,
                     const std::vector<std::pair<std::string, std::string>>& Settings);

// SaveAllSettings for one key.
void SaveSetting(const std::string& AppName, const std::string& Section, const std::string& Key,
                 const std::string& Setting);

// Where the application's settings live: $XDG_CONFIG_HOME (else ~/.config)/AppName/AppName.conf.
std::filesystem::path SettingsFile(const std::string& AppName);
