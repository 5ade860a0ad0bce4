#pragma once
// A disc image described by a CUE sheet, read without libcdio: the sheet's FILE lines name
// the BIN files (relative to the sheet), one for the whole disc or one per track, and each
// sector is read straight from the file that holds it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/cd_audio.h"

namespace audio {

// A run of sectors stored one after another in one file.
struct CueSegment {
    std::size_t file = 0;  // index into CueImage::files
    std::int64_t firstSector = 0;
    std::int64_t sectors = 0;
    std::int64_t firstByte = 0;
    int sectorBytes = 0;
};

struct CueImage {
    CdToc toc;
    std::vector<std::filesystem::path> files;
    std::vector<CueSegment> segments;  // in disc order; sectors between them are silent
    std::vector<bool> bigEndian;       // per file: MOTOROLA byte order
};

// The CUE sheet an image source stands for: the .cue itself, or the .cue beside a .bin.
std::optional<std::filesystem::path> CueSheetFor(const std::filesystem::path& source);

// Nothing when the sheet is damaged or names a file that is missing or not a regular file.
std::optional<CueImage> ReadCueImage(const std::filesystem::path& sheet);

// Reads an image's sectors as 16-bit stereo frames.
class CueSectorReader {
  public:
    explicit CueSectorReader(CueImage image);
    ~CueSectorReader();
    CueSectorReader(const CueSectorReader&) = delete;
    CueSectorReader& operator=(const CueSectorReader&) = delete;

    // Fills `frames` with the sector's 588 frames; false when it cannot be read.
    bool Read(std::int64_t sector, std::int16_t* frames) const;

  private:
    CueImage image_;
    std::vector<int> descriptors_;
};

}  // namespace audio
