#pragma once
// Lookups in the error table.
#include <span>
#include <string_view>

#include "platform/mci/error_codes.h"

namespace mci {

std::span<const ErrorEntry> AllErrors();

// The text of a number, or an empty view when the table has none.
std::string_view ErrorText(ErrorCode number);

}  // namespace mci
