#pragma once
// Lengths of UTF-8 text as the program's string functions count them: in characters.
#include <cstddef>
#include <string>

// The number of characters (code points) in the text, not its bytes.
std::size_t Len(const std::string& text);
