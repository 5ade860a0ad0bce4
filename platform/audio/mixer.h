#pragma once
// The mix: every attached track and the shared synthesiser summed per line, line gains, the
// recorder taps and the Master gain. Render runs on the sink's thread; the other members on
// control threads. One mutex guards the track list and every voice; the audio thread holds it
// for one render, control threads only for a few assignments, so neither waits for long.
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

#include "platform/audio/line.h"

namespace audio {

class Capture;
class Track;

// Something mixed onto a line after the tracks of each block: the MIDI synthesiser.
class Bus {
  public:
    virtual ~Bus() = default;
    // Adds `frames` stereo frames into `stereo` (audio thread, mixer lock held).
    virtual void Render(float* stereo, int frames) = 0;
};

class Mixer {
  public:
    // Voices see blocks of at most this many frames, so synthesiser events land within it.
    static constexpr int kBlockFrames = 64;

    explicit Mixer(int sampleRate);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int SampleRate() const { return sampleRate_; }
    std::mutex& Lock() { return mutex_; }

    // audio thread: writes exactly `frames` stereo frames.
    void Render(float* stereo, int frames);

    void SetGain(Line line, float gain);
    float Gain(Line line) const;

    void Attach(const std::shared_ptr<Track>& track);
    void Detach(const Track* track);
    void AttachBus(const std::shared_ptr<Bus>& bus);  // mixed on the Midi line
    void AttachCapture(const std::shared_ptr<Capture>& capture);
    void DetachCapture(const Capture* capture);

    // audio thread: asks the service thread to deliver finished notices. Never blocks.
    void WakeService() { wake_.release(); }
    bool OnServiceThread() const { return std::this_thread::get_id() == service_.get_id(); }

  private:
    void Serve();
    void DeliverNotices();
    void DrainCaptures();
    void MixBlock(float* out, int frames);

    const int sampleRate_;
    std::mutex mutex_;
    std::vector<std::shared_ptr<Track>> tracks_;
    std::vector<std::shared_ptr<Bus>> buses_;
    std::vector<std::shared_ptr<Capture>> captures_;
    std::array<std::atomic<float>, 4> gains_;
    std::array<float, 2 * kBlockFrames> waveBus_{};
    std::array<float, 2 * kBlockFrames> midiBus_{};

    std::counting_semaphore<> wake_{0};
    std::atomic<bool> stopping_{false};
    std::thread service_;
};

}  // namespace audio
