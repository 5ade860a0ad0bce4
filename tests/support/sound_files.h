#pragma once
// Sound files made by the tests themselves, byte by byte: WAVE files of any sample layout,
// Standard MIDI Files and RMID wrappers.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace sound_files {

struct WaveLayout {
    int formatTag = 1;  // 1 integer PCM, 3 IEEE float
    int channels = 2;
    int rate = 44100;
    int bits = 16;
    std::int64_t frames = 44100;
    double toneHz = 440.0;
    double amplitude = 0.5;
};

// A complete RIFF WAVE file holding a sine tone on every channel.
std::string MakeWave(const WaveLayout& wave);

// `bytes` with the `size` bytes at `at` overwritten by `value`, little-endian.
std::string Patched(std::string bytes, std::size_t at, std::uint32_t value, int size = 4);

// Builds one MTrk chunk's events.
class MidiTrack {
  public:
    MidiTrack& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
    MidiTrack& Tempo(std::uint32_t delta, std::uint32_t usPerQuarter);
    MidiTrack& SysEx(std::uint32_t delta, std::size_t length);
    MidiTrack& End(std::uint32_t delta);
    const std::string& Bytes() const { return bytes_; }

  private:
    void Delta(std::uint32_t delta);
    std::string bytes_;
};

std::string MakeSmf(int format, std::uint16_t division, const std::vector<MidiTrack>& tracks);
std::string MakeRmid(const std::string& smf);

// One track at 120 beats per minute, 480 ticks per quarter: a note every half second on
// channel 0 (piano) for `seconds`, then the end of track.
std::string MakeSong(int seconds);

// A 440 Hz tone as 16-bit PCM.
std::string ToneWave(int milliseconds, int rate = 22050, int channels = 1);

// `notes` quarter notes in a row on a piano, 500 ms each, as a format-0 file.
std::string NoteSong(int notes);

// An 8- or 16-bit PCM WAVE file read back, samples interleaved in -1..1; empty when the
// bytes are not such a file.
struct DecodedWave {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<float> samples;
};
DecodedWave ReadWave(const std::string& bytes);

// Peak absolute sample of interleaved audio.
float Peak(const std::vector<float>& samples);

}  // namespace sound_files
