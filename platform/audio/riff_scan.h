#pragma once
// Walking the chunks of a RIFF WAVE file by their headers alone: to catch what libsndfile
// forgives (a data chunk that claims more bytes than the file holds is a truncated file, not a
// shorter sound), and to read the format a file declares.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <string_view>

namespace audio {

struct RiffChunk {
    std::string_view id;  // "fmt ", "data", ...
    std::int64_t body;    // where its bytes start
    std::int64_t length;  // as its header gives it
};

// Calls `visit` for each chunk of a RIFF WAVE file of `size` bytes, in order, until it returns
// true. False when the file is not RIFF WAVE (RF64 among them, left to libsndfile).
bool WalkRiffWave(std::istream& in, std::int64_t size,
                  const std::function<bool(const RiffChunk&)>& visit);

// The data size that recorders write while recording and many tools leave behind: "up to the
// end".
constexpr std::int64_t kRiffPlaceholderSize = 0xFFFFFFFF;

enum class RiffVerdict { Sound, Truncated, NoData, NotRiff };

struct RiffScan {
    RiffVerdict verdict = RiffVerdict::NotRiff;
    std::int64_t dataStart = 0;  // with Sound: where the data chunk's bytes start
    std::int64_t dataBytes = 0;  // and how many there are, to the end for the placeholder
    bool placeholder = false;
};

RiffScan ScanRiffWave(const std::filesystem::path& file);

}  // namespace audio
