#include "platform/mci/wave_format.h"

#include <array>
#include <fstream>

#include "platform/audio/little_endian.h"
#include "platform/audio/riff_scan.h"

namespace mci {

std::optional<WaveFormat> ReadWaveFormat(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::error_code ignored;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file, ignored));
    std::optional<WaveFormat> format;
    audio::WalkRiffWave(in, size, [&](const audio::RiffChunk& chunk) {
        if (chunk.id != "fmt ") return false;
        std::array<char, 16> fmt{};
        if (chunk.length < std::int64_t(fmt.size()) || !in.seekg(chunk.body) ||
            !in.read(fmt.data(), fmt.size()))
            return true;
        const std::string_view bytes(fmt.data(), fmt.size());
        const auto little = [&](std::size_t at, int count) {
            return audio::LittleEndian(bytes.substr(at), count);
        };
        format = WaveFormat{little(0, 2), little(4, 4), little(2, 2), little(14, 2)};
        if (format->channels == 0 || format->samplesPerSec == 0) format.reset();
        return true;
    });
    return format;
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
