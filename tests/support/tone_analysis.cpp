#include "tests/support/tone_analysis.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sound_files {

namespace {

constexpr int kSilence = 300;  // of 32767

std::uint32_t little(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

double ToneHz(const std::filesystem::path& wave) {
    std::ifstream in(wave, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const auto data = bytes.find("data", 12);
    if (bytes.size() < 44 || data == std::string::npos || little(bytes, 34, 2) != 16) return 0;
    const int channels = static_cast<int>(little(bytes, 22, 2));
    const double rate = little(bytes, 24, 4);
    std::vector<int> samples;
    for (std::size_t at = data + 8; at + 1 < bytes.size(); at += 2 * std::size_t(channels))
        samples.push_back(static_cast<std::int16_t>(little(bytes, at, 2)));
    std::size_t first = 0;
    std::size_t last = samples.size();
    while (first < last && std::abs(samples[first]) < kSilence) ++first;
    while (last > first && std::abs(samples[last - 1]) < kSilence) --last;
    if (last - first < 2) return 0;
    int rising = 0;
    for (std::size_t i = first + 1; i < last; ++i) rising += samples[i - 1] < 0 && samples[i] >= 0;
    return rising * rate / double(last - first);
}

}  // namespace sound_files
