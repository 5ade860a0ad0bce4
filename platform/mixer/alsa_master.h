#pragma once
// The machine's "Master" playback volume on ALSA's "default" card, as a fraction 0..1.
// Absent (Available() false) where there is no ALSA card or no such control.
#include <memory>
#include <optional>

#include "platform/mixer/machine_volume.h"

namespace mixer {

class AlsaMaster : public MachineVolume {
  public:
    AlsaMaster();
    ~AlsaMaster() override;
    AlsaMaster(const AlsaMaster&) = delete;
    AlsaMaster& operator=(const AlsaMaster&) = delete;

    bool Available() const override { return handle_ != nullptr; }
    // Read afresh, so that changes by other programs show.
    std::optional<double> Level() override;
    void SetLevel(double level) override;

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

}  // namespace mixer
