#include "platform/mci/wave_format.h"

#include <array>
#include <fstream>

namespace mci {

namespace {

std::uint32_t little(const char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// Chunks are word-aligned; the walk stops after this many, far more than a real file holds.
constexpr int kMostChunks = 64;

}  // namespace

std::optional<WaveFormat> ReadWaveFormat(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 12> riff{};
    if (!in.read(riff.data(), riff.size()) || std::string_view(riff.data(), 4) != "RIFF" ||
        std::string_view(riff.data() + 8, 4) != "WAVE")
        return std::nullopt;
    for (int chunk = 0; chunk < kMostChunks; ++chunk) {
        std::array<char, 8> header{};
        if (!in.read(header.data(), header.size())) return std::nullopt;
        const std::uint32_t size = little(header.data() + 4, 4);
        if (std::string_view(header.data(), 4) != "fmt ") {
            in.seekg(size + (size & 1), std::ios::cur);
            continue;
        }
        std::array<char, 16> fmt{};
        if (size < fmt.size() || !in.read(fmt.data(), fmt.size())) return std::nullopt;
        WaveFormat format{little(fmt.data(), 2), little(fmt.data() + 4, 4),
                          little(fmt.data() + 2, 2), little(fmt.data() + 14, 2)};
        if (format.channels == 0 || format.samplesPerSec == 0) return std::nullopt;
        return format;
    }
    return std::nullopt;
}

std::optional<Outcome> WaveFormatStatus(const WaveFormat& format, const Command& command) {
    using enum Flag;
    const auto reply = [](std::int64_t value) { return Outcome::Reply(std::to_string(value)); };
    if (command.Has(SamplesPerSec)) return reply(format.samplesPerSec);
    if (command.Has(Channels)) return reply(format.channels);
    if (command.Has(BitsPerSample)) return reply(format.bitsPerSample);
    if (command.Has(BytesPerSec)) return reply(format.BytesPerSec());
    if (command.Has(Alignment)) return reply(format.Alignment());
    if (command.Has(FormatTag))
        return Outcome::Reply(format.formatTag == kPcmFormatTag ? "pcm"
                                                                : std::to_string(format.formatTag));
    return std::nullopt;
}

}  // namespace mci
