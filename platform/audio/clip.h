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

enum class LoadError {
    None,
    NotFound,
    Unreadable,
    InvalidFormat,
    NoSoundfont,
    NoOutput,
    TooManyFiles,  // the process may open no more files
};

// A loaded sound, ready to render at the engine's rate from any position. Immutable, shareable.
class Clip {
  public:
    virtual ~Clip() = default;
    virtual std::int64_t LengthMs() const = 0;
    virtual Line OutputLine() const = 0;  // Wave for WAV files, Midi for MIDI songs
    // Length in frames at SampleRate().
    virtual std::int64_t LengthFrames() const = 0;
    virtual int SampleRate() const = 0;
    // The voice a player holds from its open: silent itself, it cues the voices that play
    // and holds what they share (a block of synthesiser channels). Control thread.
    virtual std::unique_ptr<Voice> NewVoice() const = 0;
};

struct LoadResult {
    std::shared_ptr<const Clip> clip;  // null on failure
    LoadError error = LoadError::None;
    std::string detail;  // a short human-readable reason
};

// libsndfile; any PCM/float WAV. Only the header is read here: the sound streams from the
// file while it plays.
LoadResult LoadWaveFile(const std::filesystem::path& file);
// SMF 0/1 and RIFF RMID; loads the soundfont once per process on first use.
LoadResult LoadMidiFile(const std::filesystem::path& file);

// A failed load with its reason.
LoadResult LoadFailure(LoadError error, std::string detail);

}  // namespace audio
