// A sink without hardware: a thread consumes the mix at the real-time rate, so positions,
// ends and waits behave as they do on a sound card.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/sink.h"
#include "platform/audio/thread_name.h"

namespace audio {

namespace {

constexpr int kPeriodFrames = 256;
// Falling further behind than this (a stopped debugger, a loaded machine) restarts the clock
// instead of rendering the backlog in a burst.
constexpr auto kMaxLag = std::chrono::milliseconds(500);

class NullSink final : public Sink {
  public:
    explicit NullSink(Mixer& mixer) : mixer_(mixer), buffer_(2 * kPeriodFrames) {
        thread_ = std::thread([this] { Run(); });
    }

    ~NullSink() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

  private:
    void Run() {
        NameThisThread("audio-null");
        using Clock = std::chrono::steady_clock;
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(double(kPeriodFrames) / mixer_.SampleRate()));
        auto due = Clock::now();
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            lock.unlock();
            mixer_.Render(buffer_.data(), kPeriodFrames);
            lock.lock();
            // A device holds one period queued: a render finished after that has run out
            // would have been heard as a gap.
            if (Clock::now() > due + period) mixer_.CountLatePeriod();
            due += period;
            if (Clock::now() - due > kMaxLag) due = Clock::now();
            wake_.wait_until(lock, due, [this] { return stopping_; });
        }
    }

    Mixer& mixer_;
    std::vector<float> buffer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<Sink> OpenNullSink(Mixer& mixer) {
    return std::make_unique<NullSink>(mixer);
}

}  // namespace audio
