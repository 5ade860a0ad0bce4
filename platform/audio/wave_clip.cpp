// WAV files: decoded with libsndfile, mixed down to stereo and resampled to the engine's rate
// once at load, so playback is a copy.
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/audio/clip.h"
#include "platform/audio/engine.h"
#include "platform/audio/rate_map.h"
#include "platform/audio/riff_scan.h"

namespace audio {

namespace {

// Decoded sound is held as stereo float at the engine's rate: 20 minutes is about 420 MB.
constexpr std::int64_t kMaxSeconds = 20 * 60;
constexpr int kMaxChannels = 64;
constexpr int kMaxRate = 768000;
constexpr sf_count_t kReadFrames = 4096;

class WaveVoice final : public Voice {
  public:
    explicit WaveVoice(const std::vector<float>& samples) : samples_(samples) {}

    void Seek(std::int64_t frame) override { frame_ = frame; }

    void Render(float* stereo, int frames) override {
        const std::int64_t available = std::int64_t(samples_.size() / 2) - frame_;
        const int count = static_cast<int>(std::clamp<std::int64_t>(available, 0, frames));
        for (int i = 0; i < 2 * count; ++i) stereo[i] += samples_[2 * frame_ + i];
        frame_ += frames;
    }

  private:
    const std::vector<float>& samples_;
    std::int64_t frame_ = 0;
};

class WaveClip final : public Clip {
  public:
    WaveClip(std::vector<float> samples, int rate, std::int64_t lengthMs)
        : samples_(std::move(samples)), rate_(rate), lengthMs_(lengthMs) {}

    std::int64_t LengthMs() const override { return lengthMs_; }
    Line OutputLine() const override { return Line::Wave; }
    std::int64_t LengthFrames() const override { return std::int64_t(samples_.size() / 2); }
    int SampleRate() const override { return rate_; }
    std::unique_ptr<Voice> NewVoice() const override {
        return std::make_unique<WaveVoice>(samples_);
    }

  private:
    std::vector<float> samples_;
    int rate_;
    std::int64_t lengthMs_;
};

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

LoadResult Failure(LoadError error, std::string detail) {
    return LoadResult{nullptr, error, std::move(detail)};
}

bool IsWaveContainer(int format) {
    const int major = format & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

// Channel 0 is left and 1 right; mono feeds both; further channels are folded into both sides.
void DownmixFrame(const float* in, int channels, float* left, float* right) {
    if (channels == 1) {
        *left = *right = in[0];
        return;
    }
    float l = in[0];
    float r = in[1];
    if (channels > 2) {
        float rest = 0.0f;
        for (int c = 2; c < channels; ++c) rest += in[c];
        rest /= float(channels - 2);
        l = 0.7071f * (l + rest);
        r = 0.7071f * (r + rest);
    }
    *left = l;
    *right = r;
}

std::vector<float> Resample(const std::vector<float>& stereo, int fromRate, int toRate) {
    if (fromRate == toRate) return stereo;
    const RateMap map(std::int64_t(stereo.size() / 2), fromRate, toRate);
    std::vector<float> out(2 * map.OutputFrames());
    for (std::int64_t j = 0; j < map.OutputFrames(); ++j) {
        const std::int64_t i = map.Index(j);
        const std::int64_t n = map.Next(i);
        const float t = map.Fraction(j);
        out[2 * j] = stereo[2 * i] + t * (stereo[2 * n] - stereo[2 * i]);
        out[2 * j + 1] = stereo[2 * i + 1] + t * (stereo[2 * n + 1] - stereo[2 * i + 1]);
    }
    return out;
}

}  // namespace

LoadResult LoadWaveFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return Failure(LoadError::NotFound, "no such file");
    if (!std::ifstream(file, std::ios::binary))
        return Failure(LoadError::Unreadable, "the file cannot be read");
    switch (ScanRiffWave(file)) {
        case RiffVerdict::Truncated:
            return Failure(LoadError::InvalidFormat, "truncated file");
        case RiffVerdict::NoData:
            return Failure(LoadError::InvalidFormat, "no sound data");
        case RiffVerdict::Sound:
        case RiffVerdict::NotRiff:
            break;
    }

    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> in(sf_open(file.c_str(), SFM_READ, &info));
    if (!in) return Failure(LoadError::InvalidFormat, sf_strerror(nullptr));
    if (!IsWaveContainer(info.format)) return Failure(LoadError::InvalidFormat, "not a WAVE file");
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1 ||
        info.samplerate > kMaxRate)
        return Failure(LoadError::InvalidFormat, "unsupported channel count or sample rate");
    if (info.frames <= 0) return Failure(LoadError::InvalidFormat, "no sound data");
    if (info.frames / info.samplerate > kMaxSeconds)
        return Failure(LoadError::InvalidFormat, "the sound is too long");

    std::vector<float> stereo;
    stereo.reserve(2 * info.frames);
    std::vector<float> block(kReadFrames * info.channels);
    sf_count_t total = 0;
    while (total < info.frames) {
        const sf_count_t count = sf_readf_float(in.get(), block.data(), kReadFrames);
        if (count <= 0) break;
        const sf_count_t kept = std::min(count, info.frames - total);
        for (sf_count_t f = 0; f < kept; ++f) {
            float left = 0.0f;
            float right = 0.0f;
            DownmixFrame(&block[f * info.channels], info.channels, &left, &right);
            stereo.push_back(left);
            stereo.push_back(right);
        }
        total += kept;
    }
    if (total < info.frames) return Failure(LoadError::InvalidFormat, "truncated file");

    const int rate = Engine::Shared().SampleRate();
    const std::int64_t lengthMs = std::int64_t(total) * 1000 / info.samplerate;
    return LoadResult{
        std::make_shared<WaveClip>(Resample(stereo, info.samplerate, rate), rate, lengthMs),
        LoadError::None,
        {}};
}

}  // namespace audio
