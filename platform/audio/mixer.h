#pragma once
// The mix: every playing track and the shared synthesiser summed per line, line gains, the
// recorder taps and the Master gain.
//
// Render runs on the audio thread and never waits: control threads hand it commands through a
// lock-free queue, and it alone touches the playing tracks, the buses and the taps. Control
// threads take Lock() among themselves (it makes them one producer); the audio thread never
// takes it. Whatever a command stops using is retired, and freed on a control or service
// thread, outside the lock, once the audio thread has gone past that command.
//
// The mixer owns the output: the first command opens it, and the service thread closes it once
// nothing has sounded for a while. While it is closed no thread of the engine wakes.
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/audio/line.h"
#include "platform/audio/spsc_ring.h"
#include "platform/audio/underrun_count.h"
#include "platform/audio/voice.h"

namespace audio {

class Capture;
class Sink;
class Track;

// Something mixed onto a line after the tracks of each block: the MIDI synthesiser.
class Bus {
  public:
    virtual ~Bus() = default;
    // Adds `frames` stereo frames into `stereo` (audio thread).
    virtual void Render(float* stereo, int frames) = 0;
    // After the last Render of a period (audio thread).
    virtual void PeriodEnded() {}
};

// One instruction to the audio thread.
struct Command {
    enum class Kind : std::uint8_t { Track, AddBus, AddCapture, RemoveCapture };
    enum class Transport : std::uint8_t { Start, Pause, Resume, Stop, Seek };
    Kind kind = Kind::Track;
    Transport transport = Transport::Stop;
    Track* track = nullptr;
    Voice* voice = nullptr;  // Start: cued at span.from
    Bus* bus = nullptr;
    Capture* capture = nullptr;
    std::uint32_t sequence = 0;  // the track's command number
    Span span;                   // Start: what to play; Seek: span.from is the new position
};

class Mixer {
  public:
    // Voices see blocks of at most this many frames, so synthesiser events land within it.
    static constexpr int kBlockFrames = 64;
    // Tracks sounding at once; a play past them is refused (HasRoomFor).
    static constexpr std::size_t kMaxPlaying = 256;
    // Commands one period applies at most; the rest wait for the next.
    static constexpr int kMaxCommandsPerPeriod = 256;
    // The output closes after this long without a sound (paused tracks are silent).
    static constexpr std::chrono::milliseconds kIdleClose{10000};

    // What opens the output: called on a control thread, Lock() held, by the first command
    // that finds it closed. May return null (no output: commands wait in the queue).
    using OutputOpener = std::function<std::unique_ptr<Sink>(Mixer&)>;

    explicit Mixer(int sampleRate, std::chrono::milliseconds idleClose = kIdleClose);
    ~Mixer();
    // Closes the output, ends the service thread and frees what is retired, so that nothing
    // but its owners holds the mixer (retired tracks hold it too).
    void Shutdown();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int SampleRate() const { return sampleRate_; }
    // Serialises control calls. Never taken by the audio thread.
    std::mutex& Lock() { return controlMutex_; }

    // audio thread: applies the waiting commands, then writes exactly `frames` stereo frames.
    // Wait-free: no lock, allocation or system call.
    void Render(float* stereo, int frames);
    // Periods the sink's thread came too late to fill (counted by the sink).
    void CountLatePeriod() { late_.fetch_add(1, std::memory_order_relaxed); }
    UnderrunCount Underruns() const {
        return {late_.load(std::memory_order_relaxed), starved_.load(std::memory_order_relaxed)};
    }

    void SetGain(Line line, float gain);
    float Gain(Line line) const;

    // Control side, Lock() held.
    // Opens the output when it is closed, then queues the command. False, with a message on
    // standard error, when the queue stays full: the output has stopped taking the mix.
    bool Send(const Command& command);
    // Whether another track may start sounding: fewer than kMaxPlaying others are playing.
    bool HasRoomFor(const Track* track) const;
    void Retire(std::shared_ptr<void> garbage);          // freed once the audio thread is past it
    void Register(const std::shared_ptr<Track>& track);  // for its finished notice
    void Unregister(const Track* track);

    // Control side, Lock() not held.
    // Waits briefly for the audio thread to apply what was sent, then frees what it retired,
    // so a closed player's file, buffers and synthesiser channels are let go at once. Without
    // a clock (the offline sink) nothing applies commands until the next pull: no wait.
    void Settle();
    void SetOutput(OutputOpener open);
    bool OutputOpen() const { return open_.load(); }
    // Whether the last output opened renders by a clock, not pulled by hand.
    bool Clocked() const { return clocked_.load(); }
    // Commands sent and not yet applied.
    std::size_t Pending() const { return queue_.Size(); }
    void AttachBus(const std::shared_ptr<Bus>& bus);  // mixed on the Midi line
    void AttachCapture(const std::shared_ptr<Capture>& capture);
    void DetachCapture(const std::shared_ptr<Capture>& capture);

    // audio thread: a track finished by itself; the service thread will deliver its notice.
    void NoteFinished() { noticesPending_.store(true, std::memory_order_release); }
    bool OnServiceThread() const { return std::this_thread::get_id() == service_.get_id(); }

  private:
    void Apply(const Command& command);
    void MixBlock(float* out, int frames);
    float* BusOf(Line line);
    void DropStoppedTracks();
    // Lock() held: removes what the audio thread is past from the garbage and returns it.
    std::vector<std::shared_ptr<void>> TakeExpiredGarbage();
    void OpenOutput();
    void CloseIfIdle();
    void SetOpen(bool open);
    void Serve();
    void DeliverNotices();
    void DrainCaptures();

    const int sampleRate_;
    const std::int64_t idleFrames_;
    std::array<std::atomic<float>, 4> gains_;
    std::atomic<std::uint64_t> late_{0};
    std::atomic<std::uint64_t> starved_{0};

    // Control side (controlMutex_).
    std::mutex controlMutex_;
    SpscRing<Command, 2048> queue_;
    std::vector<std::pair<std::uint64_t, std::shared_ptr<void>>> garbage_;
    std::unordered_map<const Track*, std::shared_ptr<Track>> tracks_;  // closing many stays linear
    std::vector<std::shared_ptr<Bus>> buses_;
    std::vector<std::shared_ptr<Capture>> captures_;
    OutputOpener opener_;
    std::unique_ptr<Sink> sink_;

    // Audio thread only.
    std::array<Track*, kMaxPlaying> playing_{};
    std::size_t playingCount_ = 0;
    std::array<Bus*, 4> audioBuses_{};
    std::size_t audioBusCount_ = 0;
    std::array<Capture*, 16> audioCaptures_{};
    std::size_t audioCaptureCount_ = 0;
    std::array<float, 2 * kBlockFrames> waveBus_{};
    std::array<float, 2 * kBlockFrames> midiBus_{};
    std::array<float, 2 * kBlockFrames> cdBus_{};
    bool short_ = false;  // a voice was not ready in this period

    std::atomic<std::int64_t> quietFrames_{0};  // rendered since anything last sounded
    std::atomic<bool> clocked_{false};
    std::atomic<bool> keepOpen_{false};
    std::atomic<bool> noticesPending_{false};

    std::mutex serviceMutex_;
    std::condition_variable serviceWake_;
    std::atomic<bool> open_{false};  // written under serviceMutex_
    bool stopping_ = false;          // serviceMutex_
    std::thread service_;
};

}  // namespace audio
