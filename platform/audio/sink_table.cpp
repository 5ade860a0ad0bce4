#include <array>

#include "platform/audio/sink.h"

namespace audio {

namespace {

// The offline sink has no clock of its own: the caller pulls the mix through Engine::Pull.
class OfflineSink final : public Sink {};

constexpr std::array kSinks = {
    SinkEntry{"sdl", false, OpenSdlSink},
    SinkEntry{"null", false, OpenNullSink},
    SinkEntry{"offline", true, OpenOfflineSink},
};

}  // namespace

std::span<const SinkEntry> SinkTable() {
    return kSinks;
}

std::unique_ptr<Sink> OpenOfflineSink(const std::shared_ptr<Mixer>&) {
    return std::make_unique<OfflineSink>();
}

}  // namespace audio
