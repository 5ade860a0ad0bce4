#include "tests/support/sound_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace sound_files {

namespace {

void PutLittle(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
}

void PutBig(std::string& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(char(value >> (8 * i) & 0xFF));
}

void PutSample(std::string& out, const WaveLayout& wave, double value) {
    if (wave.formatTag == 3) {
        const float f = float(value);
        std::uint32_t bits = 0;
        static_assert(sizeof bits == sizeof f);
        std::memcpy(&bits, &f, sizeof f);
        PutLittle(out, bits, 4);
        return;
    }
    const double full = std::ldexp(1.0, wave.bits - 1) - 1;
    const auto scaled = static_cast<std::int64_t>(std::lround(value * full));
    if (wave.bits == 8)
        out.push_back(char(scaled + 128));  // 8-bit WAVE samples are unsigned
    else
        PutLittle(out, std::uint64_t(scaled), wave.bits / 8);
}

}  // namespace

std::string MakeWave(const WaveLayout& wave) {
    const int blockAlign = wave.channels * wave.bits / 8;
    std::string data;
    data.reserve(std::size_t(wave.frames * blockAlign));
    for (std::int64_t frame = 0; frame < wave.frames; ++frame) {
        const double value = wave.amplitude * std::sin(2 * std::numbers::pi * wave.toneHz *
                                                       double(frame) / wave.rate);
        for (int channel = 0; channel < wave.channels; ++channel) PutSample(data, wave, value);
    }
    std::string out = "RIFF";
    PutLittle(out, 4 + 8 + 16 + 8 + data.size(), 4);
    out += "WAVEfmt ";
    PutLittle(out, 16, 4);
    PutLittle(out, wave.formatTag, 2);
    PutLittle(out, wave.channels, 2);
    PutLittle(out, wave.rate, 4);
    PutLittle(out, std::uint64_t(wave.rate) * blockAlign, 4);
    PutLittle(out, blockAlign, 2);
    PutLittle(out, wave.bits, 2);
    out += "data";
    PutLittle(out, data.size(), 4);
    return out + data;
}

std::string Patched(std::string bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = char(value >> (8 * i));
    return bytes;
}

void MidiTrack::Delta(std::uint32_t delta) {
    std::string groups(1, char(delta & 0x7F));
    while (delta >>= 7) groups.insert(groups.begin(), char(0x80 | (delta & 0x7F)));
    bytes_ += groups;
}

MidiTrack& MidiTrack::Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    Delta(delta);
    for (std::uint8_t byte : bytes) bytes_.push_back(char(byte));
    return *this;
}

MidiTrack& MidiTrack::Tempo(std::uint32_t delta, std::uint32_t usPerQuarter) {
    return Event(delta, {0xFF, 0x51, 0x03, std::uint8_t(usPerQuarter >> 16),
                         std::uint8_t(usPerQuarter >> 8), std::uint8_t(usPerQuarter)});
}

MidiTrack& MidiTrack::SysEx(std::uint32_t delta, std::size_t length) {
    Delta(delta);
    bytes_.push_back(char(0xF0));
    bytes_.push_back(char(length));  // lengths under 128 are one byte
    bytes_.append(length - 1, char(0x01));
    bytes_.push_back(char(0xF7));
    return *this;
}

MidiTrack& MidiTrack::End(std::uint32_t delta) {
    return Event(delta, {0xFF, 0x2F, 0x00});
}

std::string MakeSmf(int format, std::uint16_t division, const std::vector<MidiTrack>& tracks) {
    std::string out = "MThd";
    PutBig(out, 6, 4);
    PutBig(out, format, 2);
    PutBig(out, tracks.size(), 2);
    PutBig(out, division, 2);
    for (const MidiTrack& track : tracks) {
        out += "MTrk";
        PutBig(out, track.Bytes().size(), 4);
        out += track.Bytes();
    }
    return out;
}

std::string MakeRmid(const std::string& smf) {
    std::string out = "RIFF";
    PutLittle(out, 4 + 8 + smf.size() + (smf.size() & 1), 4);
    out += "RMIDdata";
    PutLittle(out, smf.size(), 4);
    out += smf;
    if (smf.size() & 1) out.push_back('\0');
    return out;
}

std::string MakeSong(int seconds) {
    MidiTrack track;
    track.Tempo(0, 500000).Event(0, {0xC0, 0});
    for (int note = 0; note < 2 * seconds; ++note)
        track.Event(0, {0x90, std::uint8_t(60 + note % 12), 100})
            .Event(240, {0x80, std::uint8_t(60 + note % 12), 0})
            .Event(0, {0xB0, 7, 100})
            .Event(240, {0xE0, 0, 0x40});
    track.End(0);
    return MakeSmf(0, 480, {track});
}

std::string ToneWave(int milliseconds, int rate, int channels) {
    return MakeWave(
        {.channels = channels, .rate = rate, .frames = std::int64_t(rate) * milliseconds / 1000});
}

std::string NoteSong(int notes) {
    MidiTrack track;
    track.Event(0, {0xC0, 0});
    for (int note = 0; note < notes; ++note)
        track.Event(0, {0x90, std::uint8_t(60 + note % 12), 100})
            .Event(480, {0x80, std::uint8_t(60 + note % 12), 0});
    track.End(0);
    return MakeSmf(0, 480, {track});
}

namespace {

std::uint32_t ReadLittle(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | std::uint8_t(bytes[at + i]);
    return value;
}

}  // namespace

DecodedWave ReadWave(const std::string& bytes) {
    DecodedWave wave;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return wave;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size =
            std::min<std::size_t>(ReadLittle(bytes, at + 4, 4), bytes.size() - at - 8);
        if (id == "fmt " && size >= 16) {
            wave.channels = int(ReadLittle(bytes, at + 10, 2));
            wave.rate = int(ReadLittle(bytes, at + 12, 4));
            wave.bits = int(ReadLittle(bytes, at + 22, 2));
        } else if (id == "data" && (wave.bits == 8 || wave.bits == 16)) {
            const std::size_t width = std::size_t(wave.bits / 8);
            for (std::size_t s = at + 8; s + width <= at + 8 + size; s += width)
                wave.samples.push_back(
                    wave.bits == 8 ? (float(std::uint8_t(bytes[s])) - 128.0f) / 128.0f
                                   : float(std::int16_t(ReadLittle(bytes, s, 2))) / 32768.0f);
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

float Peak(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (float sample : samples) peak = std::max(peak, std::abs(sample));
    return peak;
}

}  // namespace sound_files
