#pragma once
// Periods the output could not be filled in time, by cause.
#include <cstdint>

namespace audio {

struct UnderrunCount {
    std::uint64_t late = 0;     // the sink's thread ran too late: a loaded machine
    std::uint64_t starved = 0;  // a sound had not been read ahead far enough
    std::uint64_t Total() const { return late + starved; }
};

}  // namespace audio
