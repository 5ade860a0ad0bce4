#pragma once
// Streaming sample-rate conversion of interleaved stereo float, with libsoxr at its high
// quality (images and aliases well over 100 dB down). Not for the audio thread: it allocates.
#include <cstddef>
#include <memory>
#include <vector>

struct soxr;

namespace audio {

class Resampler {
  public:
    Resampler(int inputRate, int outputRate);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // Converts `frames` stereo frames and appends what comes out to `out`.
    void Process(const float* stereo, std::size_t frames, std::vector<float>& out);
    // The input has ended: appends the output still held back by the filter. Input that comes
    // after it (a file rewritten in place) is dropped until Clear.
    void Flush(std::vector<float>& out);
    // Forgets the signal so far, for a fresh one (a seek or a loop).
    void Clear();

  private:
    void Run(const float* stereo, std::size_t frames, std::vector<float>& out);

    struct Deleter {
        void operator()(soxr* resampler) const;
    };
    std::unique_ptr<soxr, Deleter> soxr_;
    double ratio_;
    bool flushed_ = false;
};

}  // namespace audio
