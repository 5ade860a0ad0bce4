#pragma once
// Where the mix goes. A sink pulls the mix at its own pace from the moment it opens until it
// is destroyed; a destructor must cope with a sink whose opening failed half way.
#include <memory>
#include <span>
#include <string>

namespace audio {

class Mixer;

class Sink {
  public:
    virtual ~Sink() = default;
};

struct SinkEntry {
    const char* name;
    // Tried only when asked for by name, never picked by default.
    bool demandOnly;
    // Returns null when the sink cannot open (no device, no SDL audio).
    std::unique_ptr<Sink> (*open)(const std::shared_ptr<Mixer>& mixer);
};

// In order of preference.
std::span<const SinkEntry> SinkTable();

std::unique_ptr<Sink> OpenSdlSink(const std::shared_ptr<Mixer>& mixer);
std::unique_ptr<Sink> OpenNullSink(const std::shared_ptr<Mixer>& mixer);
std::unique_ptr<Sink> OpenOfflineSink(const std::shared_ptr<Mixer>& mixer);

}  // namespace audio
