#pragma once
// A walk over the chunks of a RIFF WAVE file, to catch what libsndfile forgives: a data chunk
// that claims more bytes than the file holds is a truncated file, not a shorter sound.
#include <cstdint>
#include <filesystem>
#include <string>

namespace audio {

enum class RiffVerdict { Sound, Truncated, NoData, NotRiff };

// Reads only chunk headers. RF64 and other non-RIFF files are NotRiff and left to libsndfile.
RiffVerdict ScanRiffWave(const std::filesystem::path& file);

}  // namespace audio
