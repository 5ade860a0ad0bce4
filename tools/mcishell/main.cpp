// mcishell [--sink sdl|null] [--cd LETTER=SOURCE]...: one MCI command string per input line,
// one result line per input line. --cd puts a drive or a disc image (.cue) behind a CD drive
// letter in place of the machine's optical drives. At the end of the input every device is
// closed.
#include <iostream>
#include <map>
#include <string>

#include "platform/audio/engine.h"
#include "platform/mci/cd_drives.h"
#include "platform/multimedia.h"
#include "tools/mcishell/shell_line.h"

namespace {

bool readOptions(int argc, char** argv) {
    std::map<char, std::string> cdDrives;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--sink" && audio::Engine::ChooseSink(value)) continue;
        if (option == "--cd" && value.size() > 2 && value[1] == '=') {
            cdDrives[value[0]] = value.substr(2);
            continue;
        }
        return false;
    }
    if (argc % 2 == 0) return false;
    mci::ReplaceCdDrives(std::move(cdDrives));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!readOptions(argc, argv)) {
        std::cerr << "usage: mcishell [--sink sdl|null] [--cd LETTER=SOURCE]... < commands\n";
        return 2;
    }
    std::string line;
    while (std::getline(std::cin, line)) std::cout << mcishell::RunLine(line) << std::endl;
    mciSendStringA("close all", nullptr, 0, 0);
    return 0;
}
