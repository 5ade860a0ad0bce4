#pragma once
// The level of one frequency in a recording, through a Blackman-Harris window, whose side
// lobes (below -92 dB, falling fast) keep a loud tone from leaking into bins far from it.
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace audio_test {

// Level in dB relative to a full-scale sine, of channel `channel` of interleaved stereo.
inline double LevelDb(const std::vector<float>& stereo, int channel, double hz, int rate) {
    const std::size_t frames = stereo.size() / 2;
    const double step = 2 * std::numbers::pi / double(frames - 1);
    std::complex<double> sum;
    double weights = 0;
    for (std::size_t n = 0; n < frames; ++n) {
        const double x = step * double(n);
        const double w =
            0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
        const double phase = -2 * std::numbers::pi * hz * double(n) / rate;
        sum += w * double(stereo[2 * n + channel]) * std::polar(1.0, phase);
        weights += w;
    }
    return 20 * std::log10(2 * std::abs(sum) / weights + 1e-30);
}

// The loudest level between `low` and `high` Hz, in steps of `step` Hz.
inline double LoudestDb(const std::vector<float>& stereo, double low, double high, double step,
                        int rate) {
    double loudest = -400;
    for (double hz = low; hz <= high; hz += step)
        loudest = std::max(loudest, LevelDb(stereo, 0, hz, rate));
    return loudest;
}

}  // namespace audio_test
