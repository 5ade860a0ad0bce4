#pragma once
// The thread that reads WAV files ahead of the mix, so the audio thread only copies from
// memory. Every few milliseconds it tops up the ring of each stream that is registered.
#include <atomic>
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

  private:
    void Run();

    std::mutex mutex_;  // the list, and each round of reading
    std::vector<WaveStream*> streams_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace audio
