// mcishell [--sink sdl|null] [--cd LETTER=SOURCE]... [--soundfont FILE]: one MCI command string
// per input line, one result line per input line. --cd puts a drive or a disc image (.cue)
// behind a CD drive letter in place of the machine's optical drives; --soundfont plays MIDI
// through FILE instead of the system's General MIDI soundfont. At the end of the input, or on
// SIGTERM, SIGINT or SIGHUP, every device is closed and the tool exits with 0.
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "platform/multimedia.h"
#include "platform/sound_setup.h"
#include "platform/soundfont.h"
#include "platform/termination_signals.h"
#include "tools/mcishell/shell_line.h"

namespace {

// The sink the options name ("sdl", tried first and then null, when they name none), or
// nothing when the options are not understood.
std::optional<std::string> readOptions(int argc, char** argv) {
    std::string sink = "sdl";
    std::map<char, std::string> cdDrives;
    if (argc % 2 == 0) return std::nullopt;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--sink" && sound_setup::ChooseSink(value)) {
            sink = value;
        } else if (option == "--cd" && value.size() > 2 && value[1] == '=') {
            cdDrives[value[0]] = value.substr(2);
        } else if (option == "--soundfont" && !value.empty()) {
            ChooseSoundfont(value);
        } else {
            return std::nullopt;
        }
    }
    sound_setup::ReplaceCdDrives(std::move(cdDrives));
    return sink;
}

void closeEveryDevice() {
    mciSendStringA("close all", nullptr, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const auto sink = readOptions(argc, argv);
    if (!sink) {
        std::cerr << "usage: mcishell [--sink sdl|null] [--cd LETTER=SOURCE]... [--soundfont FILE] "
                     "< commands\n";
        return 2;
    }
    // The sound card is reached through SDL, which the program that plays must start.
    std::optional<sound_setup::SdlSession> sdl;
    if (*sink == "sdl") sdl.emplace();
    platform::TerminationSignals signals([](int) {
        closeEveryDevice();
        std::cout.flush();
        std::_Exit(0);
    });
    std::string line;
    while (std::getline(std::cin, line)) std::cout << mcishell::RunLine(line) << std::endl;
    closeEveryDevice();
    return 0;
}
