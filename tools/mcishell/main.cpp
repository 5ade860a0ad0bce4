// mcishell [--sink sdl|null]: one MCI command string per input line, one result line per
// input line. At the end of the input every device is closed.
#include <iostream>
#include <string>

#include "platform/audio/engine.h"
#include "platform/multimedia.h"
#include "tools/mcishell/shell_line.h"

namespace {

bool chooseSink(int argc, char** argv) {
    if (argc == 1) return true;
    if (argc == 3 && std::string(argv[1]) == "--sink") return audio::Engine::ChooseSink(argv[2]);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!chooseSink(argc, argv)) {
        std::cerr << "usage: mcishell [--sink sdl|null] < commands\n";
        return 2;
    }
    std::string line;
    while (std::getline(std::cin, line)) std::cout << mcishell::RunLine(line) << std::endl;
    mciSendStringA("close all", nullptr, 0, 0);
    return 0;
}
