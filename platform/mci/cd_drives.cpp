#include "platform/mci/cd_drives.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "platform/audio/cd_audio.h"
#include "platform/drives.h"

namespace mci {

namespace {

struct Replacement {
    std::mutex mutex;
    std::map<char, std::string> drives;
};

char upper(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

Replacement& replacement() {
    static Replacement instance;
    return instance;
}

std::map<char, std::string> machineDrives() {
    char letter = 'C';
    for (const drives::Drive& drive : drives::All()) letter = std::max(letter, drive.letter);
    std::map<char, std::string> found;
    for (const std::string& device : audio::OpticalDrives())
        if (letter < 'Z') found.emplace(++letter, device);
    return found;
}

std::map<char, std::string> cdDrives() {
    {
        Replacement& replaced = replacement();
        std::lock_guard lock(replaced.mutex);
        if (!replaced.drives.empty()) return replaced.drives;
    }
    return machineDrives();
}

}  // namespace

std::optional<std::string> CdSourceFor(char letter) {
    const auto all = cdDrives();
    const auto found = all.find(upper(letter));
    if (found == all.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> FirstCdSource() {
    const auto all = cdDrives();
    if (all.empty()) return std::nullopt;
    return all.begin()->second;
}

void ReplaceCdDrives(std::map<char, std::string> drives) {
    Replacement& replaced = replacement();
    std::lock_guard lock(replaced.mutex);
    replaced.drives.clear();
    for (auto& [letter, source] : drives) replaced.drives.emplace(upper(letter), std::move(source));
}

}  // namespace mci
