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

int bytesPerSample(int subtype) {
    switch (subtype) {
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_S8:
            return 1;
        case SF_FORMAT_PCM_16:
            return 2;
        case SF_FORMAT_PCM_24:
            return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
            return 4;
        case SF_FORMAT_DOUBLE:
            return 8;
        default:
            return 0;  // packed or compressed: no raw reading
    }
}

// libsndfile reads a WAV whose data size is the placeholder only up to 4 GiB; one that runs on
// past that is read as raw samples from where its data starts, to its end.
void readPastFourGiB(const RiffScan& scan, const SF_INFO& info, WaveFormat& format) {
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    const int frameBytes = bytesPerSample(subtype) * info.channels;
    if (frameBytes == 0 || !scan.placeholder || scan.dataBytes <= kRiffPlaceholderSize) return;
    format.rawStart = scan.dataStart;
    format.rawFormat = SF_FORMAT_RAW | subtype | SF_ENDIAN_LITTLE;
    format.frames = scan.dataBytes / frameBytes;
}

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
    const RiffScan scan = ScanRiffWave(file);
    switch (scan.verdict) {
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

    auto format = std::make_shared<WaveFormat>();
    format->channels = info.channels;
    format->rate = info.samplerate;
    format->frames = info.frames;
    readPastFourGiB(scan, info, *format);
    if (format->frames / info.samplerate > kMaxSeconds)
        return LoadFailure(LoadError::InvalidFormat, "the sound is too long");
    format->file = SharedFile::Open(file);
    if (!format->file) return LoadFailure(LoadError::Unreadable, "the file cannot be read");
    format->outputRate = Engine::Shared().SampleRate();
    format->outputFrames = format->frames * format->outputRate / info.samplerate;
    return LoadResult{std::make_shared<WaveClip>(std::move(format)), LoadError::None, {}};
}

}  // namespace audio
