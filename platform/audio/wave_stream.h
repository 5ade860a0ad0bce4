#pragma once
// A WAV file playing from disk. Cued on a control thread, which opens the file and reads the
// first few milliseconds; from then on the reader thread decodes ahead into a ring (stereo,
// non-finite samples silenced, resampled to the engine's rate) and the audio thread copies
// out of it. Memory stays the same whatever the file's length.
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/audio/resampler.h"
#include "platform/audio/shared_file.h"
#include "platform/audio/sndfile_handle.h"
#include "platform/audio/spsc_ring.h"
#include "platform/audio/voice.h"

namespace audio {

class WaveReader;

// What the header of a WAV file says, read once at load.
struct WaveFormat {
    std::shared_ptr<const SharedFile> file;
    int channels = 0;
    int rate = 0;
    std::int64_t frames = 0;        // at the file's rate
    int outputRate = 0;             // the engine's
    std::int64_t outputFrames = 0;  // at the engine's rate
    // A WAV whose data size is the placeholder and runs on past 4 GiB, where libsndfile stops
    // reading one, is read as raw samples of this format from where its data starts.
    std::int64_t rawStart = 0;
    int rawFormat = 0;
};

class WaveStream final : public Voice {
  public:
    static constexpr std::int64_t kRingFrames = 32768;  // about 0.7 s read ahead

    WaveStream(std::shared_ptr<const WaveFormat> format, const Span& span);
    ~WaveStream() override;

    std::unique_ptr<Voice> Cue(const Span& span) const override;
    bool Render(float* stereo, int frames) override;
    void Rewind() override {}  // the reader has already gone round the loop
    bool Ended() const override;

    // Reader thread: decodes until the ring holds `frames` (at most kRingFrames) or the span
    // has been read.
    void ReadAhead(std::int64_t frames = kRingFrames);

  private:
    void StartPass(std::int64_t from);
    void DecodeChunk();
    void MovePending(std::int64_t limit);

    const std::shared_ptr<const WaveFormat> format_;
    const Span span_;
    const std::int64_t chunkFrames_;  // input frames decoded at a time
    SharedFileReader source_;
    SndfileHandle file_;
    std::unique_ptr<Resampler> resampler_;  // none when the rates agree

    // Reader side.
    std::int64_t inputAt_ = 0;
    std::int64_t inputEnd_ = 0;
    std::int64_t passLeft_ = 0;  // output frames still to make in this pass
    bool flushed_ = false;
    bool cutShort_ = false;  // the file held less than its header said: it ends, never repeats
    std::vector<float> decoded_;
    std::vector<float> stereo_;
    std::vector<float> pending_;  // made, not yet in the ring
    std::size_t pendingAt_ = 0;   // samples of pending_ already moved

    SpscRing<float, 2 * kRingFrames> ring_;  // stereo frames, from the reader to the audio thread
    std::atomic<bool> done_{false};

    std::shared_ptr<WaveReader> reader_;
};

// The voice a WAV player holds from open: it only cues streams.
class IdleWaveVoice final : public Voice {
  public:
    explicit IdleWaveVoice(std::shared_ptr<const WaveFormat> format) : format_(std::move(format)) {}
    std::unique_ptr<Voice> Cue(const Span& span) const override {
        return std::make_unique<WaveStream>(format_, span);
    }
    bool Render(float*, int) override { return true; }
    void Rewind() override {}

  private:
    std::shared_ptr<const WaveFormat> format_;
};

}  // namespace audio
