#include "platform/audio/riff_scan.h"

#include <array>
#include <cstring>
#include <fstream>

namespace audio {

namespace {

std::uint32_t LittleEndian32(const char* bytes) {
    return std::uint32_t(std::uint8_t(bytes[0])) | std::uint32_t(std::uint8_t(bytes[1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[2])) << 16 |
           std::uint32_t(std::uint8_t(bytes[3])) << 24;
}

// Files with thousands of chunks are not sound files anyone made on purpose.
constexpr int kMaxChunks = 4096;

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
        const std::int64_t length = LittleEndian32(chunkHeader.data() + 4);
        if (std::memcmp(chunkHeader.data(), "data", 4) == 0) {
            if (length == 0) return RiffVerdict::NoData;
            return offset + 8 + length > size ? RiffVerdict::Truncated : RiffVerdict::Sound;
        }
        offset += 8 + length + (length & 1);
    }
    return RiffVerdict::NoData;
}

}  // namespace audio
