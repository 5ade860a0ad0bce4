#include "platform/audio/wave_reader.h"

#include <chrono>

#include "platform/audio/wave_stream.h"

namespace audio {

namespace {
// Well inside the read-ahead each stream keeps, so a late round or two costs nothing.
constexpr auto kRoundInterval = std::chrono::milliseconds(5);
constexpr std::int64_t kLowFrames = 8192;
}  // namespace

// Started with the first stream and kept to the end of the process; streams still alive
// then (retired ones the mixer has not freed yet) keep it running until they go.
std::shared_ptr<WaveReader> WaveReader::Shared() {
    static const std::shared_ptr<WaveReader> shared = std::make_shared<WaveReader>();
    return shared;
}

WaveReader::WaveReader() : thread_([this] { Run(); }) {}

WaveReader::~WaveReader() {
    stopping_.store(true);
    thread_.join();
}

void WaveReader::Add(WaveStream* stream) {
    std::lock_guard lock(mutex_);
    streams_.push_back(stream);
}

void WaveReader::Remove(WaveStream* stream) {
    std::lock_guard lock(mutex_);
    std::erase(streams_, stream);
}

void WaveReader::ReadNow(std::int64_t frames) {
    std::lock_guard lock(mutex_);
    for (WaveStream* stream : streams_) stream->ReadAhead(frames);
}

void WaveReader::Run() {
    while (!stopping_.load()) {
        // Streams running low first, so a new one is not kept waiting behind full ones.
        ReadNow(kLowFrames);
        ReadNow(WaveStream::kRingFrames);
        std::this_thread::sleep_for(kRoundInterval);
    }
}

}  // namespace audio
