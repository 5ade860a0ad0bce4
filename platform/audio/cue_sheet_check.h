#pragma once
// Checks before a disc image is read: some libcdio releases crash on damaged CUE sheets (a
// track or index number out of range), so only sheets of the ordinary shape are read, and
// nothing that could block its reader reaches libcdio.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace audio {

// Far larger than any real sheet; a larger file is not one.
inline constexpr std::uintmax_t kLargestCueSheet = 64 * 1024;

// True for a sheet whose every line is a known command with well-formed arguments: a FILE
// before the first TRACK, track numbers 1 to 99 rising by one, INDEX, PREGAP and POSTGAP
// inside a track with times mm:ss:ff (ss below 60, ff below 75).
bool IsPlainCueSheet(std::string_view text);

// True for a source libcdio may open without waiting for ever: a block device, or a regular
// file whose data files (the FILE, AUDIOFILE and DATAFILE of a cdrdao TOC) are regular files
// or missing. A FIFO anywhere would block its reader until a writer came.
bool IsSafeImageSource(const std::filesystem::path& source);

}  // namespace audio
