#pragma once
// The one table of error numbers, their names and the texts mciGetErrorStringA gives.
#include <span>
#include <string_view>

#include "platform/mci/error_codes.h"

namespace mci {

struct ErrorEntry {
    ErrorCode number;
    std::string_view name;
    std::string_view text;
};

std::span<const ErrorEntry> AllErrors();

// The text of a number, or an empty view when the table has none.
std::string_view ErrorText(ErrorCode number);

}  // namespace mci
