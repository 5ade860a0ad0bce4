#include "platform/audio/recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/audio/capture.h"
#include "platform/audio/engine.h"
#include "platform/audio/file_replacement.h"
#include "platform/audio/mixer.h"
#include "platform/audio/resampler.h"
#include "platform/audio/sndfile_handle.h"

namespace audio {

namespace {

constexpr std::int64_t kReadFrames = 4096;

int SubtypeForBits(int bits) {
    switch (bits) {
        case 8:
            return SF_FORMAT_PCM_U8;  // WAV's 8-bit samples are unsigned
        case 16:
            return SF_FORMAT_PCM_16;
        case 24:
            return SF_FORMAT_PCM_24;
        case 32:
            return SF_FORMAT_PCM_32;
        default:
            return 0;
    }
}

bool Fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

// Stereo in, `channels` out: mono takes the average, extra channels stay silent.
void MapChannels(float left, float right, int channels, float* out) {
    if (channels == 1) {
        out[0] = 0.5f * (left + right);
        return;
    }
    out[0] = left;
    out[1] = right;
    std::fill(out + 2, out + channels, 0.0f);
}

}  // namespace

Recorder::Recorder()
    : mixer_(Engine::Shared().SharedMixer()),
      capture_(std::make_shared<Capture>(mixer_->SampleRate())) {}

Recorder::~Recorder() {
    Stop();
}

std::int64_t Recorder::framesOf(std::int64_t ms) const {
    return ms * capture_->SampleRate() / 1000;
}

std::int64_t Recorder::msOf(std::int64_t frames) const {
    return frames * 1000 / capture_->SampleRate();
}

bool Recorder::Start(std::int64_t atMs, std::optional<std::int64_t> forMs, bool overwrite) {
    if (!take_.Usable() || !Stop()) return false;
    at_ = std::clamp<std::int64_t>(framesOf(atMs), 0, takeFrames());
    position_ = at_;
    overwrite_ = overwrite;
    capture_->Clear();
    std::optional<std::int64_t> frames;
    if (forMs) frames = framesOf(*forMs);
    setRunning(true);
    capture_->Limit(frames, [run = run_] {
        std::function<void()> onFinished;
        {
            std::lock_guard lock(run->mutex);
            run->running = false;
            onFinished = run->onFinished;
        }
        run->ended.notify_all();
        if (onFinished) onFinished();
    });
    mixer_->AttachCapture(capture_);
    recording_ = true;
    return true;
}

bool Recorder::Stop() {
    if (!recording_) return true;
    mixer_->DetachCapture(capture_);
    capture_->Drain();
    const bool kept = keepCaptured();
    recording_ = false;
    setRunning(false);
    return kept;
}

// Copies the capture into the take at the place it was started, a block at a time.
bool Recorder::keepCaptured() {
    const std::int64_t count = capture_->Frames();
    const bool capturedAll = capture_->KeptAll();
    bool kept = overwrite_ || take_.Insert(at_, count);
    std::vector<float> block(2 * kReadFrames);
    for (std::int64_t done = 0; kept && done < count; done += kReadFrames) {
        const std::int64_t n = std::min(count - done, kReadFrames);
        capture_->Read(done, n, block.data());
        kept = take_.Write(at_ + done, block.data(), n);
    }
    capture_->Clear();
    position_ = std::min(at_ + count, takeFrames());
    return kept && capturedAll;
}

void Recorder::setRunning(bool running) {
    {
        std::lock_guard lock(run_->mutex);
        run_->running = running;
    }
    if (!running) run_->ended.notify_all();
}

bool Recorder::Recording() const {
    return recording_ && !capture_->Full();
}

std::int64_t Recorder::PositionMs() const {
    return msOf(recording_ ? at_ + capture_->Frames() : position_);
}

std::int64_t Recorder::LengthMs() const {
    if (!recording_) return msOf(takeFrames());
    const std::int64_t captured = capture_->Frames();
    if (overwrite_) return msOf(std::max(takeFrames(), at_ + captured));
    return msOf(takeFrames() + captured);
}

bool Recorder::Seek(std::int64_t ms) {
    const bool kept = Stop();
    position_ = std::clamp<std::int64_t>(framesOf(ms), 0, takeFrames());
    return kept;
}

bool Recorder::Delete(std::int64_t fromMs, std::int64_t toMs) {
    const bool kept = Stop();
    const std::int64_t from = std::clamp<std::int64_t>(framesOf(fromMs), 0, takeFrames());
    const std::int64_t to = std::clamp<std::int64_t>(framesOf(toMs), from, takeFrames());
    take_.Erase(from, to - from);
    position_ = from;
    return kept;
}

std::array<float, 2> Recorder::Level() const {
    return Recording() ? capture_->Level() : std::array<float, 2>{};
}

void Recorder::WaitWhileRecording() const {
    std::unique_lock lock(run_->mutex);
    run_->ended.wait(lock, [this] { return !run_->running; });
}

void Recorder::SetOnFinished(std::function<void()> callback) {
    std::lock_guard lock(run_->mutex);
    run_->onFinished = std::move(callback);
}

bool Recorder::Save(const std::filesystem::path& file, int samplesPerSec, int channels,
                    int bitsPerSample, std::string* error) {
    if (!Stop()) return Fail(error, "the temporary folder took only part of the recording");
    const int subtype = SubtypeForBits(bitsPerSample);
    if (subtype == 0) return Fail(error, "bits per sample must be 8, 16, 24 or 32");
    if (samplesPerSec < kMinRate || samplesPerSec > kMaxRate)
        return Fail(error, "sample rate out of range");
    if (channels < 1 || channels > kMaxChannels) return Fail(error, "channel count out of range");

    SF_INFO info{};
    info.samplerate = samplesPerSec;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | subtype;
    FileReplacement replacement(file);
    if (replacement.Descriptor() < 0) return Fail(error, std::strerror(errno));
    SndfileHandle out(sf_open_fd(replacement.Descriptor(), SFM_WRITE, &info, SF_FALSE));
    if (!out) return Fail(error, sf_strerror(nullptr));
    sf_command(out.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    std::optional<Resampler> resampler;
    if (samplesPerSec != capture_->SampleRate())
        resampler.emplace(capture_->SampleRate(), samplesPerSec);
    const std::int64_t inputFrames = takeFrames();
    std::vector<float> input(2 * kReadFrames);
    std::vector<float> stereo;
    std::vector<float> output;
    // Past the last frame comes one more round with no input, which flushes the resampler.
    for (std::int64_t first = 0;; first += kReadFrames) {
        const std::int64_t count = std::clamp<std::int64_t>(inputFrames - first, 0, kReadFrames);
        take_.Read(first, count, input.data());
        stereo.clear();
        if (!resampler)
            stereo.assign(input.begin(), input.begin() + 2 * count);
        else if (count > 0)
            resampler->Process(input.data(), std::size_t(count), stereo);
        else
            resampler->Flush(stereo);
        const std::int64_t frames = std::int64_t(stereo.size() / 2);
        output.resize(std::size_t(frames * channels));
        for (std::int64_t k = 0; k < frames; ++k)
            MapChannels(stereo[2 * k], stereo[2 * k + 1], channels, &output[k * channels]);
        if (sf_writef_float(out.get(), output.data(), frames) != frames)
            return Fail(error, sf_strerror(out.get()));
        if (count == 0) {
            // Closing writes the header's sizes, which can fail on a full disk too.
            if (const int closed = sf_close(out.release()); closed != 0)
                return Fail(error, sf_error_number(closed));
            return replacement.Commit(error);
        }
    }
}

}  // namespace audio
