#include "platform/audio/recorder.h"

#include <sndfile.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/capture.h"
#include "platform/audio/engine.h"
#include "platform/audio/mixer.h"
#include "platform/audio/rate_map.h"

namespace audio {

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr int kMaxChannels = 8;
constexpr std::int64_t kWriteFrames = 4096;

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

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

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
    mixer_->DetachCapture(capture_.get());
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
    std::unique_ptr<SNDFILE, SndfileCloser> out(sf_open(file.c_str(), SFM_WRITE, &info));
    if (!out) return Fail(error, sf_strerror(nullptr));
    sf_command(out.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    const std::int64_t inputFrames = capture_->Frames();
    const RateMap map(inputFrames, capture_->SampleRate(), samplesPerSec);
    std::vector<float> input;
    std::vector<float> output(kWriteFrames * channels);
    std::int64_t loadedFirst = 0;
    for (std::int64_t j = 0; j < map.OutputFrames(); j += kWriteFrames) {
        const std::int64_t count = std::min(kWriteFrames, map.OutputFrames() - j);
        // The input frames this block interpolates between.
        loadedFirst = map.Index(j);
        const std::int64_t loadedLast = map.Next(map.Index(j + count - 1));
        input.resize(2 * (loadedLast - loadedFirst + 1));
        capture_->Read(loadedFirst, loadedLast - loadedFirst + 1, input.data());
        for (std::int64_t k = 0; k < count; ++k) {
            const std::int64_t index = map.Index(j + k);
            const float t = map.Fraction(j + k);
            const float* a = &input[2 * (index - loadedFirst)];
            const float* b = &input[2 * (map.Next(index) - loadedFirst)];
            MapChannels(a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), channels,
                        &output[k * channels]);
        }
        if (sf_writef_float(out.get(), output.data(), count) != count) {
            const std::string reason = sf_strerror(out.get());
            out.reset();
            std::error_code ignored;
            std::filesystem::remove(file, ignored);  // no half-written file left behind
            return Fail(error, reason);
        }
    }
    return true;
}

}  // namespace audio
