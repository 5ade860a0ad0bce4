#include "tests/support/tone_analysis.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "tests/support/sound_files.h"

namespace sound_files {

double ToneHz(const std::filesystem::path& wave) {
    constexpr float kSilence = 300.0f / 32768;
    std::ifstream in(wave, std::ios::binary);
    const DecodedWave decoded = ReadWave({std::istreambuf_iterator<char>(in), {}});
    if (decoded.bits != 16 || decoded.channels == 0) return 0;
    std::vector<float> first;
    for (std::size_t at = 0; at < decoded.samples.size(); at += std::size_t(decoded.channels))
        first.push_back(decoded.samples[at]);
    const auto loud = [&](std::size_t at) { return std::abs(first[at]) >= kSilence; };
    std::size_t begin = 0;
    std::size_t end = first.size();
    while (begin < end && !loud(begin)) ++begin;
    while (end > begin && !loud(end - 1)) --end;
    if (end - begin < 2) return 0;
    int rising = 0;
    for (std::size_t i = begin + 1; i < end; ++i) rising += first[i - 1] < 0 && first[i] >= 0;
    return rising * double(decoded.rate) / double(end - begin);
}

}  // namespace sound_files
