#pragma once
// A loopback recorder of the engine's mix, keeping what it recorded as a take that can be
// recorded into again, cut and saved.
#include <array>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/frame_file.h"

namespace audio {

class Capture;
class Mixer;

// Records what the engine plays (the mix of every playing Player: a loopback). The capture is
// taken after the line gains and before the Master gain, so the system volume does not change
// what is recorded. The take is held at the engine's rate, in stereo, in a temporary file, so a
// recording runs until it is stopped or the disk is full; Save converts it.
//
// Control calls come from one thread at a time; WaitWhileRecording may be called beside them.
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

    // Records at `atMs` (clamped to the take), inserting before what follows or, with
    // `overwrite`, over it; with `forMs` it stops by itself once it has recorded that long.
    // False, and nothing starts, when there is nowhere to keep a take (no temporary file).
    [[nodiscard]] bool Start(std::int64_t atMs, std::optional<std::int64_t> forMs, bool overwrite);
    // Keeps what was captured; the position is left at its end. False when not all of it could
    // be kept (the temporary folder is full): what was kept stays.
    bool Stop();
    bool Recording() const;
    std::int64_t PositionMs() const;
    std::int64_t LengthMs() const;
    bool Seek(std::int64_t ms);  // stops recording, as Stop does; clamped to the take
    // Cuts [fromMs, toMs) out of the take (clamped) and stands at fromMs; stops recording first,
    // with Stop's result.
    bool Delete(std::int64_t fromMs, std::int64_t toMs);
    // The loudest sample of each channel lately while recording, 0 to 1; silence otherwise.
    std::array<float, 2> Level() const;

    // Blocks while a recording runs: until it has its length, or another thread stops it.
    void WaitWhileRecording() const;
    // Called, from a service thread, when a recording has recorded the length it was given.
    void SetOnFinished(std::function<void()> callback);

    // Writes the take as a WAV file in the given format (resampled/converted from the
    // engine's). Returns false and fills *error when it cannot (bad format, unwritable path,
    // full disk); an existing file is replaced only by a whole new one.
    bool Save(const std::filesystem::path& file, int samplesPerSec, int channels, int bitsPerSample,
              std::string* error);

  private:
    // What the service thread shares with control and waiting threads.
    struct Run {
        std::mutex mutex;
        std::condition_variable ended;
        bool running = false;
        std::function<void()> onFinished;
    };

    std::int64_t framesOf(std::int64_t ms) const;
    std::int64_t msOf(std::int64_t frames) const;
    std::int64_t takeFrames() const { return take_.Frames(); }
    bool keepCaptured();
    void setRunning(bool running);

    std::shared_ptr<Mixer> mixer_;
    std::shared_ptr<Capture> capture_;
    std::shared_ptr<Run> run_ = std::make_shared<Run>();
    FrameFile take_;  // stereo frames at the engine's rate
    std::int64_t position_ = 0;
    std::int64_t at_ = 0;  // where the running capture goes
    bool overwrite_ = false;
    bool recording_ = false;
};

}  // namespace audio
