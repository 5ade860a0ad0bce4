#include "platform/audio/recorder.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/audio/capture.h"
#include "platform/audio/engine.h"
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

void Recorder::Start(bool overwrite) {
    if (overwrite) capture_->Clear();
    mixer_->AttachCapture(capture_);
    recording_ = true;
}

void Recorder::Stop() {
    if (!recording_) return;
    mixer_->DetachCapture(capture_);
    capture_->Drain();
    recording_ = false;
}

bool Recorder::Recording() const {
    return recording_;
}

std::int64_t Recorder::PositionMs() const {
    return capture_->Frames() * 1000 / capture_->SampleRate();
}

bool Recorder::Save(const std::filesystem::path& file, int samplesPerSec, int channels,
                    int bitsPerSample, std::string* error) const {
    const int subtype = SubtypeForBits(bitsPerSample);
    if (subtype == 0) return Fail(error, "bits per sample must be 8, 16, 24 or 32");
    if (samplesPerSec < kMinRate || samplesPerSec > kMaxRate)
        return Fail(error, "sample rate out of range");
    if (channels < 1 || channels > kMaxChannels) return Fail(error, "channel count out of range");

    SF_INFO info{};
    info.samplerate = samplesPerSec;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | subtype;
    SndfileHandle out(sf_open(file.c_str(), SFM_WRITE, &info));
    if (!out) return Fail(error, sf_strerror(nullptr));
    sf_command(out.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    std::optional<Resampler> resampler;
    if (samplesPerSec != capture_->SampleRate())
        resampler.emplace(capture_->SampleRate(), samplesPerSec);
    const std::int64_t inputFrames = capture_->Frames();
    std::vector<float> input(2 * kReadFrames);
    std::vector<float> stereo;
    std::vector<float> output;
    // Past the last frame comes one more round with no input, which flushes the resampler.
    for (std::int64_t first = 0;; first += kReadFrames) {
        const std::int64_t count = std::clamp<std::int64_t>(inputFrames - first, 0, kReadFrames);
        stereo.clear();
        if (count > 0) capture_->Read(first, count, input.data());
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
        if (sf_writef_float(out.get(), output.data(), frames) != frames) {
            const std::string reason = sf_strerror(out.get());
            out.reset();
            std::error_code ignored;
            std::filesystem::remove(file, ignored);  // no half-written file left behind
            return Fail(error, reason);
        }
        if (count == 0) return true;
    }
}

}  // namespace audio
