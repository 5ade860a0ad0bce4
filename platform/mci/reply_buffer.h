#pragma once
// Copies a reply into a caller's buffer: at most length - 1 characters and a NUL.
// A null buffer or a length of 0 takes nothing.
#include <cstdint>
#include <string_view>

namespace mci {

void WriteReply(std::string_view text, char* buffer, std::uint32_t length);

}  // namespace mci
