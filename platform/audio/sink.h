#pragma once
// Where the mix goes. A sink pulls the mix at its own pace from the moment it opens until it
// is destroyed; a destructor must cope with a sink whose opening failed half way. The mixer
// opens one at the first command after a quiet spell and closes it when nothing has sounded for
// a while, so an idle program keeps no device open and no thread awake.
#include <memory>
#include <span>
#include <string>

namespace audio {

class Mixer;

class Sink {
  public:
    virtual ~Sink() = default;
    // False when nothing pulls the mix by itself (the caller of Engine::Pull does).
    virtual bool Clocked() const { return true; }
    // Kept open once opened: idle time cannot be told without a clock, and SDL's disk driver
    // starts its file again at each open.
    virtual bool KeepOpen() const { return !Clocked(); }
};

struct SinkEntry {
    const char* name;
    // Tried only when asked for by name, never picked by default.
    bool demandOnly;
    // Whether opening may work, told without opening (SDL audio started by the application).
    bool (*ready)();
    // Returns null when the sink cannot open (no device, no SDL audio). Mixer lock held.
    std::unique_ptr<Sink> (*open)(Mixer& mixer);
};

// In order of preference.
std::span<const SinkEntry> SinkTable();

bool SdlSinkReady();
std::unique_ptr<Sink> OpenSdlSink(Mixer& mixer);
std::unique_ptr<Sink> OpenNullSink(Mixer& mixer);
std::unique_ptr<Sink> OpenOfflineSink(Mixer& mixer);

}  // namespace audio
