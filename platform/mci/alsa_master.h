#pragma once
// The machine's "Master" playback volume on ALSA's "default" card, as a fraction 0..1.
// Absent (Available() false) where there is no ALSA card or no such control.
#include <memory>
#include <optional>

namespace mixer {

class AlsaMaster {
  public:
    AlsaMaster();
    ~AlsaMaster();
    AlsaMaster(const AlsaMaster&) = delete;
    AlsaMaster& operator=(const AlsaMaster&) = delete;

    bool Available() const { return handle_ != nullptr; }
    // The current level, read afresh so that changes by other programs show.
    std::optional<double> Level();
    void SetLevel(double level);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

}  // namespace mixer
