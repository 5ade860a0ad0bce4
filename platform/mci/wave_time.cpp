#include "platform/mci/wave_time.h"

#include <algorithm>

#include "platform/mci/tokens.h"

namespace mci {

std::optional<WaveTime> ParseWaveTime(std::string_view word) {
    if (EqualsIgnoringCase(word, "milliseconds") || EqualsIgnoringCase(word, "ms"))
        return WaveTime::Milliseconds;
    if (EqualsIgnoringCase(word, "bytes")) return WaveTime::Bytes;
    if (EqualsIgnoringCase(word, "samples")) return WaveTime::Samples;
    return std::nullopt;
}

std::string_view NameOf(WaveTime unit) {
    switch (unit) {
        case WaveTime::Bytes:
            return "bytes";
        case WaveTime::Samples:
            return "samples";
        case WaveTime::Milliseconds:
            break;
    }
    return "milliseconds";
}

// Through whole samples, rounded up to milliseconds, so that a position set in samples or
// bytes reads back as the same number.
std::int64_t ToMilliseconds(std::int64_t value, WaveTime unit, const WaveFormat& format) {
    if (unit == WaveTime::Milliseconds || value < 0) return value;
    const std::int64_t samples =
        unit == WaveTime::Bytes ? value / std::max<std::int64_t>(format.Alignment(), 1) : value;
    return (samples * 1000 + format.samplesPerSec - 1) / format.samplesPerSec;
}

std::int64_t FromMilliseconds(std::int64_t ms, WaveTime unit, const WaveFormat& format) {
    if (unit == WaveTime::Milliseconds) return ms;
    const std::int64_t samples = ms * format.samplesPerSec / 1000;
    return unit == WaveTime::Bytes ? samples * format.Alignment() : samples;
}

}  // namespace mci
