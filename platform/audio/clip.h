#pragma once
// Loaded sounds. A clip is immutable and may be shared by several players; each player
// renders it through a Voice of its own.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/audio/line.h"
#include "platform/audio/voice.h"

namespace audio {

enum class LoadError { None, NotFound, Unreadable, InvalidFormat, NoSoundfont, NoOutput };

// A loaded sound, ready to render at the engine's rate from any position. Immutable, shareable.
class Clip {
  public:
    virtual ~Clip() = default;
    virtual std::int64_t LengthMs() const = 0;
    virtual Line OutputLine() const = 0;  // Wave for WAV files, Midi for MIDI songs
    // Length in frames at SampleRate().
    virtual std::int64_t LengthFrames() const = 0;
    virtual int SampleRate() const = 0;
    // A fresh voice at frame 0 (control thread; may allocate).
    virtual std::unique_ptr<Voice> NewVoice() const = 0;
};

struct LoadResult {
    std::shared_ptr<const Clip> clip;  // null on failure
    LoadError error = LoadError::None;
    std::string detail;  // a short human-readable reason
};

LoadResult LoadWaveFile(const std::filesystem::path& file);  // libsndfile; any PCM/float WAV
// SMF 0/1 and RIFF RMID; loads the soundfont once per process on first use.
LoadResult LoadMidiFile(const std::filesystem::path& file);

// The name of a load error, for messages and tests ("NotFound", ...).
const char* LoadErrorName(LoadError error);

}  // namespace audio
