#pragma once
// A plain check of a CUE sheet before libcdio reads it: some libcdio releases crash on damaged
// sheets (a track or index number out of range), so only sheets of the ordinary shape reach it.
#include <filesystem>
#include <string_view>

namespace audio {

// True for a sheet whose every line is a known command with well-formed arguments: a FILE
// before the first TRACK, track numbers 1 to 99 rising by one, INDEX, PREGAP and POSTGAP
// inside a track with times mm:ss:ff (ss below 60, ff below 75).
bool IsPlainCueSheet(std::string_view text);

// The sheet libcdio would read for an image path: the .cue itself, or the .cue beside a .bin;
// true when there is none to check (a drive, another image kind) or it is plain.
bool CueSheetIsSafe(const std::filesystem::path& source);

}  // namespace audio
