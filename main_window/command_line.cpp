#include "main_window/command_line.h"

#include <filesystem>
#include <string_view>

namespace {

CommandLine Wrong(std::string error) {
    CommandLine line;
    line.action = CommandLine::Action::Wrong;
    line.error = std::move(error);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (optionsEnd || argument == "-" || !argument.starts_with('-')) {
            line.files.push_back(std::filesystem::absolute(argument).lexically_normal().string());
        } else if (argument == "--") {
            optionsEnd = true;
        } else if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::Help;
        } else if (argument == "--version") {
            line.action = CommandLine::Action::Version;
        } else if (argument == "--soundfont") {
            if (++i == argc) return Wrong("option '--soundfont' needs a FILE");
            line.soundfont = argv[i];
        } else if (argument.starts_with("--soundfont=")) {
            line.soundfont = std::string(argument.substr(argument.find('=') + 1));
        } else {
            return Wrong("unknown option '" + std::string(argument) + "'");
        }
    }
    return line;
}

std::string Usage() {
    return "Usage: corvala [OPTION]... [FILE]...\n"
           "Audition MIDI songs and WAVE sounds. Each FILE plays on its channel, a song (.mid,\n"
           ".rmi) on the MIDI one and a sound (.wav) on the WAVE one, in the window that already\n"
           "runs in this session, if there is one.\n"
           "\n"
           "  --soundfont FILE  play MIDI songs through this soundfont\n"
           "  -h, --help        show this help and exit\n"
           "      --version     show the version and exit\n";
}
