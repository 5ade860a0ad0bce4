#include "platform/audio/resampler.h"

#include <soxr.h>

#include <cstdio>
#include <mutex>

namespace audio {

namespace {

constexpr std::size_t kSlackFrames = 256;

// libsoxr keeps process-wide filter and FFT caches whose locking is not safe to rely on when
// several threads resample at once (the reader, a cue, a recorder's save): one at a time.
std::mutex& SoxrMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void Resampler::Deleter::operator()(soxr* resampler) const {
    std::lock_guard lock(SoxrMutex());
    soxr_delete(resampler);
}

Resampler::Resampler(int inputRate, int outputRate)
    : ratio_(double(outputRate) / double(inputRate)) {
    soxr_error_t error = nullptr;
    // One thread: the caller is a reader or a save already off the audio thread, and libsoxr's
    // OpenMP workers would only compete with the mix for the cores.
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    std::lock_guard lock(SoxrMutex());
    soxr_.reset(soxr_create(inputRate, outputRate, 2, &error, nullptr, nullptr, &runtime));
    if (error) std::fprintf(stderr, "audio: resampler: %s\n", soxr_strerror(error));
}

Resampler::~Resampler() = default;

void Resampler::Process(const float* stereo, std::size_t frames, std::vector<float>& out) {
    // libsoxr gives no room for input once it flushes, and would write through a null pointer.
    if (soxr_ && frames > 0 && !flushed_) Run(stereo, frames, out);
}

void Resampler::Flush(std::vector<float>& out) {
    if (soxr_) Run(nullptr, 0, out);
    flushed_ = true;
}

void Resampler::Clear() {
    std::lock_guard lock(SoxrMutex());
    if (soxr_) soxr_clear(soxr_.get());
    flushed_ = false;
}

// With no input (`stereo` null) soxr drains its filter until nothing more comes out.
void Resampler::Run(const float* stereo, std::size_t frames, std::vector<float>& out) {
    std::lock_guard lock(SoxrMutex());
    std::size_t offset = 0;
    for (;;) {
        const std::size_t room = std::size_t(double(frames - offset) * ratio_) + kSlackFrames;
        const std::size_t before = out.size();
        out.resize(before + 2 * room);
        std::size_t used = 0;
        std::size_t made = 0;
        soxr_process(soxr_.get(), stereo ? stereo + 2 * offset : nullptr, frames - offset, &used,
                     out.data() + before, room, &made);
        out.resize(before + 2 * made);
        offset += used;
        if (made == 0 && (!stereo || used == 0)) return;
        if (stereo && offset >= frames) return;
    }
}

}  // namespace audio
