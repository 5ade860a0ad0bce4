#pragma once
// Owning handles over libcdio and cdparanoia.
#include <cdio/cdio.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <cstdint>
#include <memory>
#include <array>
#include <mutex>
#include <string>

#include "platform/audio/cd_audio.h"

namespace audio {

// libcdio guards its logging with one process-wide flag and aborts when two threads log at
// once, and its image parsers are not safe in two threads either: every call into libcdio or
// cdparanoia holds this lock (those of this file take it themselves).
std::unique_lock<std::mutex> LockLibcdio();

struct CdioCloser {
    void operator()(CdIo_t* cdio) const;
};
using CdioHandle = std::unique_ptr<CdIo_t, CdioCloser>;

// Opens a drive or an image other than a CUE sheet's; null when it cannot. libcdio's own
// warnings are kept off the terminal: every failure reaches the caller as a result instead.
CdioHandle OpenCdSource(const std::string& source);

class CueSectorReader;

// Reads audio sectors, one at a time: a CUE sheet's image from its files, anything else with
// cdparanoia's error correction.
class CdSectorReader {
  public:
    explicit CdSectorReader(const std::string& source);
    ~CdSectorReader();
    CdSectorReader(const CdSectorReader&) = delete;
    CdSectorReader& operator=(const CdSectorReader&) = delete;

    void Seek(std::int64_t sector);
    // The next sector's 588 stereo frames, or null when it cannot be read.
    const std::int16_t* Read();

  private:
    std::unique_ptr<CueSectorReader> image_;
    std::int64_t next_ = 0;  // the image's next sector
    std::array<std::int16_t, 2 * kCdFramesPerSector> frames_{};
    cdrom_drive_t* drive_ = nullptr;
    cdrom_paranoia_t* paranoia_ = nullptr;
};

}  // namespace audio
