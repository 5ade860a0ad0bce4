#pragma once
// Linear-interpolation resampling positions in exact integer arithmetic: output frame j reads
// between input frames Index(j) and Index(j) + 1 at Fraction(j).
#include <cstdint>

namespace audio {

class RateMap {
  public:
    RateMap(std::int64_t inputFrames, int inputRate, int outputRate)
        : inputFrames_(inputFrames), inputRate_(inputRate), outputRate_(outputRate) {}

    std::int64_t OutputFrames() const { return inputFrames_ * outputRate_ / inputRate_; }
    std::int64_t Index(std::int64_t j) const { return j * inputRate_ / outputRate_; }
    float Fraction(std::int64_t j) const {
        return float(j * inputRate_ % outputRate_) / float(outputRate_);
    }
    // The neighbour to interpolate towards, held at the last frame.
    std::int64_t Next(std::int64_t index) const {
        return index + 1 < inputFrames_ ? index + 1 : index;
    }

  private:
    std::int64_t inputFrames_;
    int inputRate_;
    int outputRate_;
};

}  // namespace audio
