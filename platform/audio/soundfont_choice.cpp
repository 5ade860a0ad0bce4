#include "platform/audio/soundfont_choice.h"

#include <mutex>
#include <string>

#include "platform/settings.h"
#include "platform/soundfont.h"

namespace {

struct Choice {
    std::mutex mutex;
    std::string commandLine;
};

Choice& TheChoice() {
    static Choice choice;
    return choice;
}

// Read through the settings store, which reads only a regular file; the value sits beside the
// program's own group, not in it.
std::string FromSettings() {
    return GetSetting("Corvala", "", "SoundFont");
}

}  // namespace

void ChooseSoundfont(const std::string& path) {
    Choice& choice = TheChoice();
    std::lock_guard lock(choice.mutex);
    choice.commandLine = path;
}

namespace audio {

std::optional<std::filesystem::path> ChosenSoundfont() {
    std::string chosen;
    {
        Choice& choice = TheChoice();
        std::lock_guard lock(choice.mutex);
        chosen = choice.commandLine;
    }
    if (chosen.empty()) chosen = FromSettings();
    if (chosen.empty()) return std::nullopt;
    return std::filesystem::path(chosen);
}

}  // namespace audio
