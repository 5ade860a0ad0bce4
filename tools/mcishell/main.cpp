// mcishell [--sink sdl|null]: one MCI command string per input line, one result line per
// input line. At the end of the input, or on SIGTERM, SIGINT or SIGHUP, every device is
// closed and the tool exits with 0.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "platform/audio/engine.h"
#include "platform/audio/sdl_audio_session.h"
#include "platform/multimedia.h"
#include "platform/termination_signals.h"
#include "tools/mcishell/shell_line.h"

namespace {

// The sink named on the command line; "sdl" (tried first, then null) when none is.
std::optional<std::string> sinkName(int argc, char** argv) {
    if (argc == 1) return "sdl";
    if (argc == 3 && std::string(argv[1]) == "--sink") return argv[2];
    return std::nullopt;
}

void closeEveryDevice() {
    mciSendStringA("close all", nullptr, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const auto sink = sinkName(argc, argv);
    if (!sink || (argc == 3 && !audio::Engine::ChooseSink(*sink))) {
        std::cerr << "usage: mcishell [--sink sdl|null] < commands\n";
        return 2;
    }
    // The sound card is reached through SDL, which the program that plays must start.
    std::optional<audio::SdlAudioSession> sdl;
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
