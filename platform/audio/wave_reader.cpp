#include "platform/audio/wave_reader.h"

#include <chrono>

#include "platform/audio/wave_stream.h"

namespace audio {

namespace {
// Well inside the read-ahead each stream keeps, so a late round or two costs nothing.
constexpr auto kRoundInterval = std::chrono::milliseconds(5);
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

void WaveReader::ReadNow() {
    std::lock_guard lock(mutex_);
    for (WaveStream* stream : streams_) stream->ReadAhead();
}

void WaveReader::Run() {
    while (!stopping_.load()) {
        ReadNow();
        std::this_thread::sleep_for(kRoundInterval);
    }
}

}  // namespace audio
