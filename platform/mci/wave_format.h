#pragma once
// The layout of a wave device's samples, as its file's "fmt " chunk or a recorder's "set"
// gives it, and the status items that report it.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/mci/command.h"
#include "platform/mci/outcome.h"

namespace mci {

inline constexpr std::int64_t kPcmFormatTag = 1;

struct WaveFormat {
    std::int64_t formatTag = kPcmFormatTag;
    std::int64_t samplesPerSec = 11025;
    std::int64_t channels = 1;
    std::int64_t bitsPerSample = 8;

    std::int64_t Alignment() const { return channels * bitsPerSample / 8; }
    std::int64_t BytesPerSec() const { return Alignment() * samplesPerSec; }
};

// The "fmt " chunk of a RIFF WAVE file; nothing when the file has none that makes sense.
std::optional<WaveFormat> ReadWaveFormat(const std::filesystem::path& file);

// Answers "status" with samplespersec, channels, bitspersample, bytespersec, alignment or
// format tag; nothing for any other item.
std::optional<Outcome> WaveFormatStatus(const WaveFormat& format, const Command& command);

}  // namespace mci
