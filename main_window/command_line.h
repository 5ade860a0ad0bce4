#pragma once
// corvala's command line: options, then the files to open in the window.
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    std::string error;                    // what was wrong, for Action::Wrong
    std::vector<std::string> files;       // absolute Linux paths
    std::optional<std::string> soundfont; // --soundfont FILE: the soundfont songs play through
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The usage text, for --help on standard output and after a wrong option on standard error.
std::string Usage();
