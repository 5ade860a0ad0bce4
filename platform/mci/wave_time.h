#pragma once
// The time formats of a waveaudio device: milliseconds, bytes of its samples or samples
// (frames) at its rate. Each converts to and from the milliseconds the engine counts in.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/mci/wave_format.h"

namespace mci {

enum class WaveTime { Milliseconds, Bytes, Samples };

std::optional<WaveTime> ParseWaveTime(std::string_view word);
std::string_view NameOf(WaveTime unit);

std::int64_t ToMilliseconds(std::int64_t value, WaveTime unit, const WaveFormat& format);
std::int64_t FromMilliseconds(std::int64_t ms, WaveTime unit, const WaveFormat& format);

}  // namespace mci
