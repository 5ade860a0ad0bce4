#include "platform/audio/wave_reader.h"

#include <chrono>

#include "platform/audio/thread_name.h"
#include "platform/audio/wave_stream.h"

namespace audio {

namespace {
// Well inside the read-ahead each stream keeps, so a late round or two costs nothing.
constexpr auto kRoundInterval = std::chrono::milliseconds(5);
constexpr std::int64_t kLowFrames = 8192;
}  // namespace

// Started with the first stream or output and kept to the end of the process; streams still
// alive then (retired ones the mixer has not freed yet) keep it running until they go.
std::shared_ptr<WaveReader> WaveReader::Shared() {
    static const std::shared_ptr<WaveReader> shared = std::make_shared<WaveReader>();
    return shared;
}

WaveReader::WaveReader() : thread_([this] { Run(); }) {}

WaveReader::~WaveReader() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void WaveReader::Add(WaveStream* stream) {
    {
        std::lock_guard lock(mutex_);
        streams_.push_back(stream);
    }
    wake_.notify_all();
}

void WaveReader::Remove(WaveStream* stream) {
    std::lock_guard lock(mutex_);
    std::erase(streams_, stream);
}

void WaveReader::ReadNow(std::int64_t frames) {
    std::lock_guard lock(mutex_);
    ReadRound(frames);
}

void WaveReader::SetOutputRunning(bool running) {
    {
        std::lock_guard lock(mutex_);
        running_ = running;
    }
    wake_.notify_all();
}

void WaveReader::ReadRound(std::int64_t frames) {
    for (WaveStream* stream : streams_) stream->ReadAhead(frames);
}

void WaveReader::Run() {
    NameThisThread("audio-reader");
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || (running_ && !streams_.empty()); });
        if (stopping_) return;
        // Streams running low first, so a new one is not kept waiting behind full ones.
        ReadRound(kLowFrames);
        ReadRound(WaveStream::kRingFrames);
        wake_.wait_for(lock, kRoundInterval, [this] { return stopping_; });
    }
}

}  // namespace audio
