#include "tests/support/cd_image.h"

#include <cstdio>
#include <fstream>

#include "tests/support/sound_files.h"

namespace sound_files {

namespace {

constexpr int kRate = 44100;
constexpr std::size_t kWaveHeaderBytes = 44;

std::string cueLine(int number, int startSeconds) {
    char line[96];
    std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n    INDEX 01 %02d:%02d:00\n", number,
                  startSeconds / 60, startSeconds % 60);
    return line;
}

}  // namespace

std::filesystem::path WriteCdImage(const std::filesystem::path& folder, const std::string& name,
                                   const std::vector<CdTrackTone>& tracks, bool binPerTrack) {
    std::string cue;
    std::ofstream bin;
    int start = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (i == 0 || binPerTrack) {
            const std::string file =
                binPerTrack ? (i < 9 ? "0" : "") + std::to_string(i + 1) + " " + name + ".bin"
                            : name + ".bin";
            bin = std::ofstream(folder / file, std::ios::binary);
            cue += "FILE \"" + file + "\" BINARY\n";
            start = 0;
        }
        // A track's sectors are the data of a 16-bit stereo WAVE file at the CD's rate.
        bin << MakeWave({.frames = tracks[i].seconds * kRate, .toneHz = tracks[i].toneHz})
                   .substr(kWaveHeaderBytes);
        cue += cueLine(static_cast<int>(i + 1), start);
        start += tracks[i].seconds;
    }
    const auto cuePath = folder / (name + ".cue");
    std::ofstream(cuePath) << cue;
    return cuePath;
}

}  // namespace sound_files
