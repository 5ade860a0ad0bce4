#pragma once
// What mcishell does with one input line, and the line it prints for it.
#include <string>

namespace mcishell {

// "sleep N" waits N milliseconds; any other line goes to mciSendStringA as it stands.
// Returns the return code, a tab, then the reply or the error's text.
std::string RunLine(const std::string& line);

}  // namespace mcishell
