#pragma once
// Sound files made by the tests themselves: WAVE files of any sample layout, Standard MIDI
// Files and RMID wrappers, plus a scratch directory that removes itself.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace audio_test {

struct WaveSpec {
    int formatTag = 1;  // 1 integer PCM, 3 IEEE float
    int channels = 2;
    int rate = 44100;
    int bits = 16;
    std::int64_t frames = 44100;
    double toneHz = 440.0;
    double amplitude = 0.5;
};

// A complete RIFF WAVE file holding a sine tone on every channel.
std::string MakeWave(const WaveSpec& spec);

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

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Writes `bytes` to a file of that name in the directory and returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Peak absolute sample of interleaved audio.
float Peak(const std::vector<float>& samples);

}  // namespace audio_test
