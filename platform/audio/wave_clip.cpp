// WAV files: the header is checked at load; the sound streams from the file while it plays.
#include <fstream>

#include "platform/audio/clip.h"
#include "platform/audio/engine.h"
#include "platform/audio/riff_scan.h"
#include "platform/audio/wave_stream.h"

namespace audio {

namespace {

constexpr int kMaxChannels = 64;
constexpr int kMaxRate = 768000;
constexpr std::int64_t kMaxSeconds = 24 * 3600;

class WaveClip final : public Clip {
  public:
    explicit WaveClip(std::shared_ptr<const WaveFormat> format) : format_(std::move(format)) {}

    std::int64_t LengthMs() const override { return format_->frames * 1000 / format_->rate; }
    Line OutputLine() const override { return Line::Wave; }
    std::int64_t LengthFrames() const override { return format_->outputFrames; }
    int SampleRate() const override { return format_->outputRate; }
    std::unique_ptr<Voice> NewVoice() const override {
        return std::make_unique<IdleWaveVoice>(format_);
    }

  private:
    std::shared_ptr<const WaveFormat> format_;
};

bool IsWaveContainer(int format) {
    const int major = format & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

}  // namespace

LoadResult LoadWaveFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return LoadFailure(LoadError::NotFound, "no such file");
    if (!std::ifstream(file, std::ios::binary))
        return LoadFailure(LoadError::Unreadable, "the file cannot be read");
    switch (ScanRiffWave(file)) {
        case RiffVerdict::Truncated:
            return LoadFailure(LoadError::InvalidFormat, "truncated file");
        case RiffVerdict::NoData:
            return LoadFailure(LoadError::InvalidFormat, "no sound data");
        case RiffVerdict::Sound:
        case RiffVerdict::NotRiff:
            break;
    }

    SF_INFO info{};
    const SndfileHandle in(sf_open(file.c_str(), SFM_READ, &info));
    if (!in) return LoadFailure(LoadError::InvalidFormat, sf_strerror(nullptr));
    if (!IsWaveContainer(info.format))
        return LoadFailure(LoadError::InvalidFormat, "not a WAVE file");
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1 ||
        info.samplerate > kMaxRate)
        return LoadFailure(LoadError::InvalidFormat, "unsupported channel count or sample rate");
    if (info.frames <= 0) return LoadFailure(LoadError::InvalidFormat, "no sound data");
    if (info.frames / info.samplerate > kMaxSeconds)
        return LoadFailure(LoadError::InvalidFormat, "the sound is too long");

    auto format = std::make_shared<WaveFormat>();
    format->file = SharedFile::Open(file);
    if (!format->file) return LoadFailure(LoadError::Unreadable, "the file cannot be read");
    format->channels = info.channels;
    format->rate = info.samplerate;
    format->frames = info.frames;
    format->outputRate = Engine::Shared().SampleRate();
    format->outputFrames = info.frames * format->outputRate / info.samplerate;
    return LoadResult{std::make_shared<WaveClip>(std::move(format)), LoadError::None, {}};
}

}  // namespace audio
