#include <array>

#include "platform/audio/sink.h"

namespace audio {

namespace {

// The offline sink has no clock of its own: the caller pulls the mix through Engine::Pull.
class OfflineSink final : public Sink {
  public:
    bool Clocked() const override { return false; }
};

bool AlwaysReady() {
    return true;
}

constexpr std::array kSinks = {
    SinkEntry{"sdl", false, SdlSinkReady, OpenSdlSink},
    SinkEntry{"null", false, AlwaysReady, OpenNullSink},
    SinkEntry{"offline", true, AlwaysReady, OpenOfflineSink},
};

}  // namespace

std::span<const SinkEntry> SinkTable() {
    return kSinks;
}

std::unique_ptr<Sink> OpenOfflineSink(Mixer&) {
    return std::make_unique<OfflineSink>();
}

}  // namespace audio
