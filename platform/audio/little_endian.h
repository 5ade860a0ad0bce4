#pragma once
// Little-endian numbers in RIFF headers (WAVE and RMID files).
#include <cstdint>
#include <string_view>

namespace audio {

// The first `count` bytes of `bytes`, which must hold that many.
inline std::uint32_t LittleEndian(std::string_view bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes[i]);
    return value;
}

inline std::uint32_t LittleEndian32(std::string_view bytes) {
    return LittleEndian(bytes, 4);
}

}  // namespace audio
