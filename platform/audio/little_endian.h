#pragma once
// Little-endian numbers in RIFF headers (WAVE and RMID files).
#include <cstdint>
#include <string_view>

namespace audio {

// The first four bytes of `bytes`, which must hold at least four.
inline std::uint32_t LittleEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | std::uint8_t(bytes[i]);
    return value;
}

}  // namespace audio
