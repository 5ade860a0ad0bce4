#pragma once
// A playing instance of a clip. A voice is cued on a control thread, where all the slow work
// happens (files opened and read ahead, synthesiser state worked out), and then handed to the
// audio thread, which alone calls Render, Rewind and Silence until it hands the voice back.
#include <cstdint>
#include <memory>

namespace audio {

// What to play, in frames at the engine's rate: from `from` to `end`, then, when `repeat`,
// from `loopStart` to `end` over and over.
struct Span {
    std::int64_t from = 0;
    std::int64_t end = 0;
    std::int64_t loopStart = 0;
    bool repeat = false;
};

class Voice {
  public:
    virtual ~Voice() = default;
    // Control thread: a new voice of the same clip and output, ready to render `span`.
    virtual std::unique_ptr<Voice> Cue(const Span& span) const = 0;
    // False when the voice has nothing to sound through (every synthesiser channel is taken).
    virtual bool Sounds() const { return true; }

    // Audio thread. Adds `frames` stereo frames into `stereo` and advances; false when the
    // sound was not ready in time (the missing part stays silent). Never allocates or blocks.
    virtual bool Render(float* stereo, int frames) = 0;
    // The span's end was reached with repeat on: go on from its loop start.
    virtual void Rewind() = 0;
    // Audio thread: true once the sound has ended before the span's end (a file that holds
    // less than its header said).
    virtual bool Ended() const { return false; }
    // Stops anything still sounding (held synthesiser notes) when playback stops or pauses.
    virtual void Silence() {}
};

}  // namespace audio
