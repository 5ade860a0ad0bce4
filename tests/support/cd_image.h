#pragma once
// Audio CD images made by the tests: a raw BIN of 2352-byte sectors (16-bit little-endian
// stereo at 44,100 Hz) and the CUE sheet that names it, one tone per track.
#include <filesystem>
#include <vector>

namespace sound_files {

struct CdTrackTone {
    double toneHz = 440.0;
    int seconds = 1;
};

// Writes `name`.bin (or, with `binPerTrack`, "01 `name`.bin" and on, as rippers do) and
// `name`.cue into `folder`; returns the CUE sheet's path.
std::filesystem::path WriteCdImage(const std::filesystem::path& folder, const std::string& name,
                                   const std::vector<CdTrackTone>& tracks,
                                   bool binPerTrack = false);

}  // namespace sound_files
