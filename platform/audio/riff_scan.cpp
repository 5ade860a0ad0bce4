#include "platform/audio/riff_scan.h"

#include <array>
#include <cstring>
#include <fstream>

#include "platform/audio/little_endian.h"

namespace audio {

namespace {

// Files with thousands of chunks are not sound files anyone made on purpose.
constexpr int kMaxChunks = 4096;
// What recorders write while recording, and many tools leave behind: "up to the end".
constexpr std::int64_t kPlaceholderSize = 0xFFFFFFFF;

}  // namespace

RiffVerdict ScanRiffWave(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::error_code ignored;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file, ignored));
    std::array<char, 12> header{};
    if (!in.read(header.data(), header.size())) return RiffVerdict::NotRiff;
    if (std::memcmp(header.data(), "RIFF", 4) != 0 ||
        std::memcmp(header.data() + 8, "WAVE", 4) != 0)
        return RiffVerdict::NotRiff;

    std::int64_t offset = 12;
    for (int chunk = 0; chunk < kMaxChunks && offset + 8 <= size; ++chunk) {
        std::array<char, 8> chunkHeader{};
        in.seekg(offset);
        if (!in.read(chunkHeader.data(), chunkHeader.size())) break;
        std::int64_t length = LittleEndian32({chunkHeader.data() + 4, 4});
        if (std::memcmp(chunkHeader.data(), "data", 4) == 0) {
            if (length == kPlaceholderSize) length = size - offset - 8;
            if (length == 0) return RiffVerdict::NoData;
            return offset + 8 + length > size ? RiffVerdict::Truncated : RiffVerdict::Sound;
        }
        offset += 8 + length + (length & 1);
    }
    return RiffVerdict::NoData;
}

}  // namespace audio
