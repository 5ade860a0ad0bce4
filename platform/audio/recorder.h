#pragma once
// A loopback recorder of the engine's mix.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace audio {

class Capture;
class Mixer;

// Records what the engine plays (the mix of every playing Player: a loopback). The capture is
// taken after the line gains and before the Master gain, so the system volume does not change
// what is recorded.
class Recorder {
  public:
    // The formats Save writes.
    static constexpr int kMinRate = 1000;
    static constexpr int kMaxRate = 384000;
    static constexpr int kMaxChannels = 8;

    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void Start(bool overwrite);  // begins capturing; overwrite drops what was captured before
    void Stop();
    bool Recording() const;
    std::int64_t PositionMs() const;  // length captured so far
    // Writes the capture as a WAV file in the given format (resampled/converted from the
    // engine's). Returns false and fills *error when it cannot (bad format, unwritable path).
    bool Save(const std::filesystem::path& file, int samplesPerSec, int channels, int bitsPerSample,
              std::string* error) const;

  private:
    std::shared_ptr<Mixer> mixer_;
    std::shared_ptr<Capture> capture_;
    bool recording_ = false;
};

}  // namespace audio
