#pragma once
// The thread that reads WAV files ahead of the mix, so the audio thread only copies from
// memory. While the output runs it tops up the ring of each registered stream every few
// milliseconds; while it is closed nothing drains the rings, and the thread sleeps.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace audio {

class WaveStream;

class WaveReader {
  public:
    // The process's reader; streams hold it too, so it outlives every stream.
    static std::shared_ptr<WaveReader> Shared();

    WaveReader();
    ~WaveReader();
    WaveReader(const WaveReader&) = delete;
    WaveReader& operator=(const WaveReader&) = delete;

    void Add(WaveStream* stream);
    // Returns once the reader no longer touches the stream.
    void Remove(WaveStream* stream);
    // One round of reading on the caller's thread, until every stream holds `frames`: the
    // offline sink, which has no clock, reads what it is about to render.
    void ReadNow(std::int64_t frames);
    // Whether a clocked output is draining the rings (the mixer, as it opens and closes).
    void SetOutputRunning(bool running);

  private:
    void Run();
    void ReadRound(std::int64_t frames);  // mutex_ held

    std::mutex mutex_;  // the list, the flags, and each round of reading
    std::condition_variable wake_;
    std::vector<WaveStream*> streams_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace audio
