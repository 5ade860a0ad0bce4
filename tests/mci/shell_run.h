#pragma once
// Runs mcishell on the null sink with a script as its standard input.
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace mci_test {

struct ShellRun {
    int exitCode = -1;
    std::vector<std::string> lines;
};

// `options` are added to mcishell's command line as they stand (quote paths in them);
// `limits` are the shell's ulimit options it runs under ("-f 100").
ShellRun RunShell(const test_support::TempFolder& folder, const std::string& input,
                  const std::string& options = "", const std::string& limits = "");

}  // namespace mci_test
