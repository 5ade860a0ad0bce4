#include "platform/mci/error_table.h"

#include <algorithm>

namespace mci {

std::span<const ErrorEntry> AllErrors() {
    return kErrorTable;
}

std::string_view ErrorText(ErrorCode number) {
    const auto found = std::ranges::find(kErrorTable, number, &ErrorEntry::number);
    return found == kErrorTable.end() ? std::string_view{} : found->text;
}

}  // namespace mci
