#include "tests/main_window/sound_files.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace sound_files {
namespace {

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutBig(std::string& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Wave(int milliseconds) {
    constexpr std::uint32_t rate = 8000;
    const std::uint32_t frames = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    std::string out = "RIFF";
    PutLittle(out, 36 + frames * 2, 4);
    out += "WAVEfmt ";
    PutLittle(out, 16, 4);
    PutLittle(out, 1, 2);  // PCM
    PutLittle(out, 1, 2);  // mono
    PutLittle(out, rate, 4);
    PutLittle(out, rate * 2, 4);
    PutLittle(out, 2, 2);
    PutLittle(out, 16, 2);
    out += "data";
    PutLittle(out, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double sample = 8000 * std::sin(2 * std::numbers::pi * 440 * i / rate);
        PutLittle(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample)), 2);
    }
    return out;
}

std::string Midi(int notes) {
    std::string track;
    for (int i = 0; i < notes; ++i) {
        const char key = static_cast<char>(60 + i % 12);
        track += std::string{'\x00', '\x90', key, '\x64'};          // note on at once
        track += std::string{'\x83', '\x60', '\x80', key, '\x00'};  // off 480 ticks later
    }
    track += std::string{'\x00', '\xFF', '\x2F', '\x00'};
    std::string out = "MThd";
    PutBig(out, 6, 4);
    PutBig(out, 0, 2);
    PutBig(out, 1, 2);
    PutBig(out, 480, 2);
    out += "MTrk";
    PutBig(out, static_cast<std::uint32_t>(track.size()), 4);
    return out + track;
}

}  // namespace sound_files
