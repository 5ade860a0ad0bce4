#pragma once
// Reads the options that follow the device name into a command.
#include <span>

#include "platform/mci/command.h"
#include "platform/mci/tokens.h"

namespace mci {

// Fills command.flags (and command.styles) from the words; the first fault wins.
ErrorCode ParseFlags(std::span<const Token> words, Command& command);

// True when the word can begin one of the verb's options; such a word ends a file path.
bool StartsFlag(Verb verb, const Token& word);

}  // namespace mci
