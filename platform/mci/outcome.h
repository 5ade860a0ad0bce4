#pragma once
// What a command gives back: 0 and a reply text, or an error number.
#include <string>

#include "platform/mci/error_codes.h"

namespace mci {

struct Outcome {
    Outcome() = default;
    Outcome(ErrorCode code)
        : error(code) {}  // NOLINT(google-explicit-constructor): `return err::...`
    static Outcome Failed(ErrorCode code, std::string detail) {
        Outcome outcome(code);
        outcome.detail = std::move(detail);
        return outcome;
    }
    static Outcome Reply(std::string text) {
        Outcome outcome;
        outcome.reply = std::move(text);
        return outcome;
    }

    ErrorCode error = err::kNone;
    std::string reply;
    // With an error: its text naming what was met, said in place of the table's for this number.
    std::string detail;
};

}  // namespace mci
