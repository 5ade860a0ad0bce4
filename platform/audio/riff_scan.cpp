#include "platform/audio/riff_scan.h"

#include <array>
#include <fstream>

#include "platform/audio/little_endian.h"

namespace audio {

namespace {

// Files with thousands of chunks are not sound files anyone made on purpose.
constexpr int kMaxChunks = 4096;

}  // namespace

bool WalkRiffWave(std::istream& in, std::int64_t size,
                  const std::function<bool(const RiffChunk&)>& visit) {
    std::array<char, 12> header{};
    if (!in.read(header.data(), header.size())) return false;
    const std::string_view riff(header.data(), header.size());
    if (riff.substr(0, 4) != "RIFF" || riff.substr(8) != "WAVE") return false;
    std::int64_t offset = 12;
    for (int chunk = 0; chunk < kMaxChunks && offset + 8 <= size; ++chunk) {
        std::array<char, 8> chunkHeader{};
        if (!in.seekg(offset) || !in.read(chunkHeader.data(), chunkHeader.size())) break;
        const std::string_view id(chunkHeader.data(), 4);
        const std::int64_t length = LittleEndian32({chunkHeader.data() + 4, 4});
        if (visit({id, offset + 8, length})) break;
        offset += 8 + length + (length & 1);
    }
    return true;
}

RiffScan ScanRiffWave(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::error_code ignored;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file, ignored));
    RiffScan scan{.verdict = RiffVerdict::NoData};
    const bool riff = WalkRiffWave(in, size, [&](const RiffChunk& chunk) {
        if (chunk.id != "data") return false;
        scan.placeholder = chunk.length == kRiffPlaceholderSize;
        scan.dataStart = chunk.body;
        scan.dataBytes = scan.placeholder ? size - chunk.body : chunk.length;
        if (scan.dataBytes != 0)
            scan.verdict =
                chunk.body + scan.dataBytes > size ? RiffVerdict::Truncated : RiffVerdict::Sound;
        return true;
    });
    if (!riff) scan.verdict = RiffVerdict::NotRiff;
    return scan;
}

}  // namespace audio
