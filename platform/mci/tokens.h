#pragma once
// Splits command text into words. A double quote at the start of a word (or after "type!")
// starts a stretch that may hold spaces and ends at the next double quote, or at the end of
// the text; those quotes are not part of the word.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/ignoring_case.h"

namespace mci {

struct Token {
    std::string text;       // the word without its quotes
    std::size_t begin = 0;  // where it starts in the source text
    std::size_t end = 0;    // one past where it ends
    bool quoted = false;    // some of it was between quotes
};

std::vector<Token> Tokenize(std::string_view text);

std::string ToLower(std::string_view text);
using text::EqualsIgnoringCase;

}  // namespace mci
