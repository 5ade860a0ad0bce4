#pragma once
// The process's one audio output: every playing Player is mixed into it. The output device
// opens at the first sound and closes after a quiet spell (see Mixer).
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/line.h"
#include "platform/audio/underrun_count.h"

namespace audio {

class Mixer;
class Sink;

class Engine {
  public:
    // Made on first use, without opening anything: the output opens at the first sound, SDL2
    // audio, else the null sink.
    static Engine& Shared();
    // Chooses the sink by name before first use: "sdl" or "null" (tests and tools ask for
    // "null"), or "offline" (no clock: the caller pulls the mix with Pull, for benchmarks).
    // Returns false for an unknown name or when the engine is already running.
    static bool ChooseSink(const std::string& name);
    // The sink names in order of preference ("sdl", "null", "offline").
    static std::vector<std::string> SinkNames();

    int SampleRate() const;
    // "sdl", "null" or "offline": the sink open now, or the one the next sound will open.
    std::string SinkName() const;
    bool OutputOpen() const;
    void SetLineGain(Line line, float gain);  // 0.0 .. 1.0; applied in the mix
    float LineGain(Line line) const;

    // Renders the next `frames` stereo frames of the mix into `stereo` on the caller's thread.
    // Only the offline sink lets the caller drive the mix; returns false on any other sink.
    bool Pull(float* stereo, int frames);

    // Periods the output could not be filled in time since the engine started, by cause.
    UnderrunCount Underruns() const;

    // The mix itself, shared with players and recorders so they may outlive the engine.
    std::shared_ptr<Mixer> SharedMixer() const;

    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

  private:
    Engine();
    std::unique_ptr<Sink> OpenSink(Mixer& mixer);  // mixer lock held
    void FallBackToNull(bool said);

    std::shared_ptr<Mixer> mixer_;
    std::atomic<const struct SinkEntry*> entry_{nullptr};
};

}  // namespace audio
