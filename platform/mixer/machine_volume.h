#pragma once
// The machine's own output volume, as a fraction 0..1.
#include <optional>

namespace mixer {

class MachineVolume {
  public:
    virtual ~MachineVolume() = default;
    virtual bool Available() const = 0;
    virtual std::optional<double> Level() = 0;
    virtual void SetLevel(double level) = 0;
};

}  // namespace mixer
