#pragma once
// The per-user settings store: text values by application, section and key.
#include <string>

// The stored text, or Default when the key is missing or the store cannot be read. A damaged
// or unreadable store is read as an empty one, silently.
std::string GetSetting(const std::string& AppName, const std::string& Section,
                       const std::string& Key, const std::string& Default = "");

// Writes the text at once. The store's file is replaced whole, so a failed write leaves the
// previous file as it was; the failure raises RuntimeError 70 (Permission denied).
void SaveSetting(const std::string& AppName, const std::string& Section, const std::string& Key,
                 const std::string& Setting);
