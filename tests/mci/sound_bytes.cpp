#include "tests/mci/sound_bytes.h"

#include <cmath>
#include <numbers>

namespace mci_test {

using namespace std::string_literals;

namespace {

void putLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putBig(std::string& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string waveSamples(int frames, int samplesPerSec, int channels) {
    std::string samples;
    for (int frame = 0; frame < frames; ++frame) {
        const double phase = 2.0 * std::numbers::pi * 440.0 * frame / samplesPerSec;
        const auto value = static_cast<std::int16_t>(std::lround(12000.0 * std::sin(phase)));
        for (int channel = 0; channel < channels; ++channel)
            putLittle(samples, static_cast<std::uint16_t>(value), 2);
    }
    return samples;
}

}  // namespace

std::string WaveBytes(int milliseconds, int samplesPerSec, int channels) {
    const std::string samples =
        waveSamples(samplesPerSec * milliseconds / 1000, samplesPerSec, channels);
    const int alignment = channels * 2;
    std::string file = "RIFF";
    putLittle(file, static_cast<std::uint32_t>(36 + samples.size()), 4);
    file += "WAVEfmt ";
    putLittle(file, 16, 4);
    putLittle(file, 1, 2);  // PCM
    putLittle(file, channels, 2);
    putLittle(file, samplesPerSec, 4);
    putLittle(file, samplesPerSec * alignment, 4);
    putLittle(file, alignment, 2);
    putLittle(file, 16, 2);
    file += "data";
    putLittle(file, static_cast<std::uint32_t>(samples.size()), 4);
    return file + samples;
}

std::string MidiBytes(int notes) {
    constexpr int kTicksPerQuarter = 480;
    std::string track = "\x00\xC0\x00"s;  // program change: piano
    for (int note = 0; note < notes; ++note) {
        track += "\x00\x90"s + static_cast<char>(60 + note % 12) + "\x64";
        track += "\x83\x60\x80"s + static_cast<char>(60 + note % 12) + "\x00"s;  // 480 ticks
    }
    track += "\x00\xFF\x2F\x00"s;
    std::string file = "MThd";
    putBig(file, 6, 4);
    putBig(file, 0, 2);
    putBig(file, 1, 2);
    putBig(file, kTicksPerQuarter, 2);
    file += "MTrk";
    putBig(file, static_cast<std::uint32_t>(track.size()), 4);
    return file + track;
}

}  // namespace mci_test
