#pragma once
// Which words each command accepts and what follows each of them.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/mci/command.h"

namespace mci {

enum class ValueKind {
    None,          // the word alone
    Integer,       // a whole number follows
    Word,          // one word (or a quoted stretch) follows
    OptionalArea,  // may be followed by "at" and four numbers
};

struct FlagSyntax {
    Flag flag;
    std::string_view words;  // lower case, one space between words: "time format"
    ValueKind value;
};

std::optional<Verb> FindVerb(std::string_view word);

// The flags a verb accepts, "wait" and "notify" included.
std::span<const FlagSyntax> FlagsOf(Verb verb);

// "status x 4" names the item "mode": the item a number stands for there.
std::optional<Flag> StatusItemNumbered(std::int64_t number);

// A word that names a kind of device ("sequencer", "avivideo", ...), any letter case.
bool IsDeviceTypeWord(std::string_view word);

}  // namespace mci
