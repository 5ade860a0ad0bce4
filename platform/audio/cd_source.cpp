#include "platform/audio/cd_source.h"

#include <cdio/logging.h>

#include <cstdio>
#include <mutex>

#include "platform/audio/cue_image.h"
#include "platform/audio/cue_sheet_check.h"

namespace audio {

namespace {

// A scratch is retried a few times, then skipped, so a damaged disc plays on.
constexpr int kRetries = 5;

void dropLibcdioMessages(cdio_log_level_t, const char*) {}

}  // namespace

std::unique_lock<std::mutex> LockLibcdio() {
    static std::mutex mutex;
    return std::unique_lock(mutex);
}

CdioHandle OpenCdSource(const std::string& source) {
    if (!IsSafeImageSource(source)) return CdioHandle(nullptr);
    const auto lock = LockLibcdio();
    static const bool quieted = [] {
        cdio_log_set_handler(dropLibcdioMessages);
        return true;
    }();
    (void)quieted;
    return CdioHandle(cdio_open(source.c_str(), DRIVER_UNKNOWN));
}

void CdioCloser::operator()(CdIo_t* cdio) const {
    const auto lock = LockLibcdio();
    cdio_destroy(cdio);
}

CdSectorReader::CdSectorReader(const std::string& source) {
    if (const auto sheet = CueSheetFor(source)) {
        if (auto image = ReadCueImage(*sheet))
            image_ = std::make_unique<CueSectorReader>(std::move(*image));
        return;
    }
    CdioHandle cdio = OpenCdSource(source);
    if (!cdio) return;
    const auto lock = LockLibcdio();
    // The drive takes the libcdio handle over and closes it with itself.
    drive_ = cdio_cddap_identify_cdio(cdio.get(), CDDA_MESSAGE_FORGETIT, nullptr);
    if (!drive_) return;
    cdio.release();
    // Audio sectors are little-endian on every disc; asking the drive to guess from the
    // samples can mistake a quiet track for the other order.
    drive_->bigendianp = 0;
    if (cdio_cddap_open(drive_) != 0) return;
    paranoia_ = cdio_paranoia_init(drive_);
    if (paranoia_) cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
}

CdSectorReader::~CdSectorReader() {
    const auto lock = LockLibcdio();
    if (paranoia_) cdio_paranoia_free(paranoia_);
    if (drive_) cdio_cddap_close(drive_);
}

void CdSectorReader::Seek(std::int64_t sector) {
    next_ = sector;
    const auto lock = LockLibcdio();
    if (paranoia_) cdio_paranoia_seek(paranoia_, static_cast<std::int32_t>(sector), SEEK_SET);
}

const std::int16_t* CdSectorReader::Read() {
    if (image_) return image_->Read(next_++, frames_.data()) ? frames_.data() : nullptr;
    const auto lock = LockLibcdio();
    return paranoia_ ? cdio_paranoia_read_limited(paranoia_, nullptr, kRetries) : nullptr;
}

}  // namespace audio
