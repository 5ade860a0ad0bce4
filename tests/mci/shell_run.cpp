#include "tests/mci/shell_run.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace mci_test {

ShellRun RunShell(const test_support::TempFolder& folder, const std::string& input,
                  const std::string& options, const std::string& limits) {
    const auto script = folder.Write("input.txt", input);
    const std::string command = (limits.empty() ? "" : "ulimit " + limits + "; ") + MCISHELL_PATH +
                                " --sink null " + options + " < '" + script.string() + "'";
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::string output;
    std::array<char, 512> chunk;
    while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe))
        output.append(chunk.data(), got);
    run.exitCode = pclose(pipe);
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) run.lines.push_back(line);
    return run;
}

}  // namespace mci_test
