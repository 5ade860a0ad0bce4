#pragma once
// A playing instance of a clip: its read position and whatever rendering state it needs.
// Seek and Render are always called with the mixer's lock held, Render on the audio thread,
// so a voice needs no locking of its own and must not allocate in Render.
#include <cstdint>

namespace audio {

class Voice {
  public:
    virtual ~Voice() = default;
    // Moves the read position to a frame of the clip (at the engine's rate).
    virtual void Seek(std::int64_t frame) = 0;
    // Adds `frames` stereo frames from the read position into `stereo`, then advances.
    virtual void Render(float* stereo, int frames) = 0;
    // Stops anything still sounding (held synthesiser notes) when playback stops or pauses.
    virtual void Silence() {}
};

}  // namespace audio
