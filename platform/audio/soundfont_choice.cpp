#include "platform/audio/soundfont_choice.h"

#include <QSettings>
#include <mutex>
#include <string>

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

// The program's settings file, the same one the settings store keeps; the value sits beside
// the program's own group, not in it.
std::string FromSettings() {
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Corvala", "Corvala");
    const QVariant value = store.value("SoundFont");
    return value.typeId() == QMetaType::QString ? value.toString().toStdString() : std::string();
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
