#pragma once
// Audio CDs read through libcdio and cdparanoia: a drive (/dev/sr0) or a disc image (.cue,
// .bin, .toc, .nrg) as the source. Positions are sectors (frames of 1/75 s) from the start
// of the disc's data area, as libcdio numbers them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/clip.h"

namespace audio {

inline constexpr int kCdSectorsPerSecond = 75;
inline constexpr int kCdFramesPerSector = 588;  // stereo 16-bit frames at 44,100 Hz
inline constexpr int kCdSampleRate = kCdSectorsPerSecond * kCdFramesPerSector;

struct CdTrack {
    int number = 0;
    std::int64_t firstSector = 0;
    std::int64_t sectors = 0;
    bool audio = true;
};

struct CdToc {
    std::vector<CdTrack> tracks;  // in order of their numbers
    std::int64_t leadOut = 0;     // the first sector after the last track
};

enum class CdError {
    None,
    NoDrive,   // the source does not exist
    NoDisc,    // a drive without a readable disc in it
    NotADisc,  // a file that is not a disc image
    NoOutput,  // the engine does not run at the CD's sample rate
};

struct CdLoadResult {
    std::shared_ptr<const Clip> clip;  // the whole disc, sector 0 at frame 0; null on failure
    CdToc toc;
    CdError error = CdError::None;
};

// Reads the table of contents; playback reads the sectors ahead of the mix on a thread of
// its own, so the audio thread only copies.
CdLoadResult LoadCdAudio(const std::string& source);

enum class TrayMove { Done, NoTray, Refused };

// Opens (ejects) or closes a drive's tray; a disc image has none.
TrayMove MoveCdTray(const std::string& source, bool open);

// The optical drives of the machine (device paths), in libcdio's order.
std::vector<std::string> OpticalDrives();

}  // namespace audio
