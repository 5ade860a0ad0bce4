#include "song_generator.h"

#include <array>
#include <cstdint>
#include <vector>

#include "tests/support/sound_files.h"

namespace audio_bench {

namespace {

constexpr std::uint32_t kQuarter = 480;  // half a second at 120 beats per minute
constexpr std::uint32_t kEighth = kQuarter / 2;
constexpr std::uint32_t kSixteenth = kQuarter / 4;
constexpr std::uint32_t kBar = 4 * kQuarter;
constexpr std::uint8_t kDrumChannel = 9;
constexpr std::array kRoots = {48, 53, 55, 45};  // C F G A

int Bars(int seconds) {
    return seconds / 2;
}

int Root(int bar) {
    return kRoots[std::size_t(bar) % kRoots.size()];
}

std::vector<int> Triad(int root) {
    return {root, root + 4, root + 7};
}

// One instrument's track, its notes and rests one after another.
class Part {
  public:
    Part(int channel, int program) : channel_(channel) {
        track_.Event(0, {Status(0xC0), std::uint8_t(program)})
            .Event(0, {Status(0xB0), 7, 100})
            .Event(0, {Status(0xB0), 91, 60});
    }

    // Holds `notes` together for `length` ticks.
    Part& Play(const std::vector<int>& notes, std::uint32_t length, int velocity) {
        for (int note : notes) {
            track_.Event(rest_, {Status(0x90), std::uint8_t(note), std::uint8_t(velocity)});
            rest_ = 0;
        }
        for (int note : notes) {
            track_.Event(length, {Status(0x80), std::uint8_t(note), 0});
            length = 0;
        }
        return *this;
    }

    Part& Rest(std::uint32_t length) {
        rest_ += length;
        return *this;
    }

    sound_files::MidiTrack Finish() { return track_.End(rest_); }

  private:
    std::uint8_t Status(int kind) const { return std::uint8_t(kind | channel_); }

    sound_files::MidiTrack track_;
    int channel_;
    std::uint32_t rest_ = 0;  // before the next note
};

std::string Song(int bars, std::vector<Part> parts) {
    sound_files::MidiTrack tempo;
    tempo.Tempo(0, 500000).End(std::uint32_t(bars) * kBar);
    std::vector<sound_files::MidiTrack> tracks = {tempo};
    for (Part& part : parts) tracks.push_back(part.Finish());
    return sound_files::MakeSmf(1, kQuarter, tracks);
}

// A bar of sixteenths rising and falling through the chord on `root`, entering the figure at
// `start` so that parts playing it together do not double each other.
void Arpeggio(Part& part, int root, int start) {
    constexpr std::array kFigure = {0, 4, 7, 12, 16, 19, 16, 12};
    for (int step = 0; step < 16; ++step)
        part.Play({root + kFigure[std::size_t(start + step) % kFigure.size()]}, kSixteenth, 85);
}

// The kit on one sixteenth of a bar: a closed hi-hat always, the kick and the snare on the
// beats, a crash on the bar's first.
std::vector<int> DrumHit(int sixteenth) {
    std::vector<int> hit = {42};
    if (sixteenth % 8 == 0) hit.push_back(36);
    if (sixteenth % 8 == 4) hit.push_back(38);
    if (sixteenth == 0) hit.push_back(49);
    return hit;
}

}  // namespace

std::string MakeBusySong(int seconds) {
    Part piano(0, 0), bass(1, 33), strings(2, 48), drums(kDrumChannel, 0);
    for (int bar = 0; bar < Bars(seconds); ++bar) {
        const int root = Root(bar);
        for (int beat = 0; beat < 4; ++beat) {
            piano.Play(Triad(root + 12), kQuarter, 80);
            bass.Play({root - 12}, kEighth, 100).Play({root - 5}, kEighth, 90);
            for (int eighth = 0; eighth < 2; ++eighth)
                drums.Play({42, beat % 2 == 0 ? 36 : 38}, kEighth, 100);
        }
        strings.Play(Triad(root + 24), kBar, 70);
    }
    return Song(Bars(seconds), {piano, bass, strings, drums});
}

std::string MakeSparseSong(int seconds) {
    Part flute(0, 73), guitar(1, 24);
    for (int bar = 0; bar < Bars(seconds); ++bar) {
        if (bar % 3 != 0) {
            flute.Rest(kBar);
            guitar.Rest(kBar);
            continue;
        }
        const int root = Root(bar / 3);
        for (int note : {24, 28, 31, 36}) flute.Play({root + note}, kQuarter, 80);
        guitar.Play(Triad(root), 2 * kQuarter, 70).Play(Triad(root), 2 * kQuarter, 60);
    }
    return Song(Bars(seconds), {flute, guitar});
}

std::string MakeOneNoteSong(int program) {
    Part part(0, program);
    part.Play({60}, kQuarter, 100).Rest(4 * kBar);
    return Song(5, {part});
}

std::string MakeDenseSong(int seconds) {
    struct Runner {
        int program;
        int octave;
    };
    // Piano, electric piano, vibraphone, steel guitar, trumpet, flute.
    constexpr std::array<Runner, 6> kRunners = {
        {{0, 12}, {4, 24}, {11, 36}, {25, 12}, {56, 24}, {73, 36}}};
    std::vector<Part> parts;
    for (std::size_t i = 0; i < kRunners.size(); ++i)
        parts.emplace_back(int(i), kRunners[i].program);
    Part organ(6, 16), strings(7, 48), bass(8, 33), drums(kDrumChannel, 0);
    for (int bar = 0; bar < Bars(seconds); ++bar) {
        const int root = Root(bar);
        for (std::size_t i = 0; i < kRunners.size(); ++i)
            Arpeggio(parts[i], root + kRunners[i].octave, int(i));
        organ.Play(Triad(root + 12), 2 * kQuarter, 70).Play(Triad(root + 12), 2 * kQuarter, 70);
        strings.Play(Triad(root + 24), kBar, 70);
        for (int eighth = 0; eighth < 8; ++eighth)
            bass.Play({eighth % 2 == 0 ? root - 12 : root - 5}, kEighth, 100);
        for (int sixteenth = 0; sixteenth < 16; ++sixteenth)
            drums.Play(DrumHit(sixteenth), kSixteenth, 100);
    }
    parts.insert(parts.end(), {organ, strings, bass, drums});
    return Song(Bars(seconds), parts);
}

}  // namespace audio_bench
