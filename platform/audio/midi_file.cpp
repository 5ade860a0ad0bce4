#include "platform/audio/midi_file.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/audio/midi_thinning.h"
#include "platform/audio/little_endian.h"

namespace audio {

namespace {

// Reads big-endian numbers and variable-length quantities; every read past the end fails.
class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    std::size_t Position() const { return pos_; }

    std::optional<std::uint8_t> Byte() {
        if (AtEnd()) return std::nullopt;
        return std::uint8_t(bytes_[pos_++]);
    }
    std::optional<std::uint32_t> BigEndian(int width) {
        if (Remaining() < std::size_t(width)) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < width; ++i) value = value << 8 | std::uint8_t(bytes_[pos_++]);
        return value;
    }
    // At most four bytes, as the file format allows.
    std::optional<std::uint32_t> Quantity() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = Byte();
            if (!byte) return std::nullopt;
            value = value << 7 | (*byte & 0x7F);
            if ((*byte & 0x80) == 0) return value;
        }
        return std::nullopt;
    }
    std::optional<std::string_view> Take(std::size_t count) {
        if (Remaining() < count) return std::nullopt;
        const auto part = bytes_.substr(pos_, count);
        pos_ += count;
        return part;
    }
    std::string_view TakeAtMost(std::size_t count) { return *Take(std::min(count, Remaining())); }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// The "data" chunk of a RIFF RMID file holds a whole Standard MIDI File.
std::optional<std::string_view> SmfInsideRmid(std::string_view bytes) {
    ByteReader reader(bytes.substr(12));
    while (reader.Remaining() >= 8) {
        const auto id = *reader.Take(4);
        const std::uint32_t length = LittleEndian32(*reader.Take(4));
        if (id == "data") return reader.TakeAtMost(length);
        if (!reader.Take(std::min<std::size_t>(length + (length & 1), reader.Remaining()))) break;
    }
    return std::nullopt;
}

struct TempoChange {
    std::int64_t tick;
    std::uint32_t usPerQuarter;
};

struct Timing {
    std::vector<TempoChange> tempos;
    // SMPTE division: a fixed number of ticks per second (a fraction, for 29.97 frames per
    // second), tempo ignored.
    std::int64_t ticksPerSecond = 0;
    std::int64_t ticksPerSecondDivisor = 1;
    std::int64_t ticksPerQuarter = 0;
};

struct TrackParse {
    std::vector<MidiEvent>* events;  // times in ticks until the tempo map is applied
    std::vector<TempoChange>* tempos;
    std::int64_t endTick = 0;
    bool tooMany = false;
};

int DataBytes(std::uint8_t status) {
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Reads one track chunk. A track that breaks off (truncated, a stray byte) keeps what came
// before the break, as players commonly do.
void ParseTrack(std::string_view track, TrackParse& out) {
    ByteReader reader(track);
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    while (!reader.AtEnd()) {
        const auto delta = reader.Quantity();
        const auto first = reader.Byte();
        if (!delta || !first) return;
        tick += *delta;
        out.endTick = std::max(out.endTick, tick);
        std::uint8_t status = *first;
        if (status < 0x80) {
            if (running == 0) return;
            status = running;
        }
        if (status < 0xF0) {
            std::uint8_t data[2] = {0, 0};
            int index = 0;
            if (*first < 0x80) data[index++] = *first;
            for (; index < DataBytes(status); ++index) {
                const auto byte = reader.Byte();
                if (!byte || *byte >= 0x80) return;
                data[index] = *byte;
            }
            running = status;
            if (out.events->size() >= kMaxMidiEvents) {
                out.tooMany = true;
                return;
            }
            out.events->push_back(MidiEvent{tick, status, data[0], data[1]});
            continue;
        }
        running = 0;  // system and meta events cancel running status
        if (status == 0xF0 || status == 0xF7) {
            const auto length = reader.Quantity();
            if (!length || !reader.Take(*length)) return;
        } else if (status == 0xFF) {
            const auto type = reader.Byte();
            const auto length = reader.Quantity();
            if (!type || !length) return;
            const auto body = reader.Take(*length);
            if (!body) return;
            if (*type == 0x2F) return;
            if (*type == 0x51 && body->size() == 3) {
                const std::uint32_t us = std::uint32_t(std::uint8_t((*body)[0])) << 16 |
                                         std::uint32_t(std::uint8_t((*body)[1])) << 8 |
                                         std::uint8_t((*body)[2]);
                out.tempos->push_back(TempoChange{tick, us});
            }
        } else {
            return;  // other system messages do not belong in a file
        }
    }
}

// Ticks to microseconds along the tempo map; the events are in tick order.
bool ApplyTempoMap(const Timing& timing, MidiSong& song) {
    using Wide = __int128;
    std::size_t next = 0;
    std::int64_t anchorTick = 0;
    Wide anchorUs = 0;
    std::uint32_t tempo = 500000;  // 120 beats per minute until the file says otherwise
    const auto toUs = [&](std::int64_t tick) -> Wide {
        if (timing.ticksPerSecond > 0)
            return Wide(tick) * 1'000'000 * timing.ticksPerSecondDivisor / timing.ticksPerSecond;
        while (next < timing.tempos.size() && timing.tempos[next].tick <= tick) {
            const std::int64_t at = timing.tempos[next].tick;
            anchorUs += Wide(at - anchorTick) * tempo / timing.ticksPerQuarter;
            anchorTick = at;
            tempo = timing.tempos[next].usPerQuarter;
            ++next;
        }
        return anchorUs + Wide(tick - anchorTick) * tempo / timing.ticksPerQuarter;
    };
    for (MidiEvent& event : song.events) {
        const Wide us = toUs(event.timeUs);
        if (us > kMaxMidiLengthUs) return false;
        event.timeUs = std::int64_t(us);
    }
    const Wide length = toUs(song.lengthUs);
    if (length > kMaxMidiLengthUs) return false;
    song.lengthUs = std::int64_t(length);
    return true;
}

bool IsNoteOn(const MidiEvent& event) {
    return (event.status & 0xF0) == 0x90 && event.data2 > 0;
}

MidiParseResult Invalid(MidiParseError error, std::string detail) {
    return MidiParseResult{{}, error, std::move(detail)};
}

}  // namespace

MidiParseResult ParseMidi(std::string_view bytes) {
    if (bytes.size() > kMaxMidiFileBytes)
        return Invalid(MidiParseError::TooLarge, "file too large");
    if (bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "RMID") {
        const auto smf = SmfInsideRmid(bytes);
        if (!smf) return Invalid(MidiParseError::InvalidFormat, "RMID file without MIDI data");
        bytes = *smf;
    }
    ByteReader reader(bytes);
    const auto id = reader.Take(4);
    const auto headerLength = reader.BigEndian(4);
    if (!id || *id != "MThd" || !headerLength || *headerLength < 6)
        return Invalid(MidiParseError::InvalidFormat, "not a MIDI file");
    const auto header = reader.Take(*headerLength);
    if (!header) return Invalid(MidiParseError::InvalidFormat, "truncated header");
    ByteReader fields(*header);
    const std::uint32_t format = *fields.BigEndian(2);
    const std::uint32_t trackCount = *fields.BigEndian(2);
    const std::uint32_t division = *fields.BigEndian(2);
    if (format > 1) return Invalid(MidiParseError::InvalidFormat, "unsupported MIDI file format");
    if (trackCount == 0 || division == 0)
        return Invalid(MidiParseError::InvalidFormat, "no tracks or no time division");

    Timing timing;
    if (division & 0x8000) {
        const int framesPerSecond = -std::int8_t(division >> 8);
        const int ticksPerFrame = division & 0xFF;
        const bool knownRate = framesPerSecond == 24 || framesPerSecond == 25 ||
                               framesPerSecond == 29 || framesPerSecond == 30;
        if (!knownRate || ticksPerFrame == 0)
            return Invalid(MidiParseError::InvalidFormat, "bad time division");
        if (framesPerSecond == 29) {  // drop-frame: 30000 / 1001 frames per second
            timing.ticksPerSecond = 30000LL * ticksPerFrame;
            timing.ticksPerSecondDivisor = 1001;
        } else {
            timing.ticksPerSecond = std::int64_t(framesPerSecond) * ticksPerFrame;
        }
    } else {
        timing.ticksPerQuarter = division;
    }

    MidiParseResult result;
    TrackParse parse{&result.song.events, &timing.tempos};
    std::uint32_t tracksRead = 0;
    while (tracksRead < trackCount && reader.Remaining() >= 8) {
        const auto chunkId = *reader.Take(4);
        const std::uint32_t length = *reader.BigEndian(4);
        const auto body = reader.TakeAtMost(length);
        if (chunkId != "MTrk") continue;
        ++tracksRead;
        ParseTrack(body, parse);
        if (parse.tooMany) return Invalid(MidiParseError::TooLarge, "too many events");
    }
    if (tracksRead == 0) return Invalid(MidiParseError::InvalidFormat, "no tracks");
    // Each track is in time order; a stable sort keeps the earlier track first at equal times.
    std::stable_sort(result.song.events.begin(), result.song.events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.timeUs < b.timeUs; });
    std::stable_sort(timing.tempos.begin(), timing.tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    result.song.lengthUs = parse.endTick;
    if (!ApplyTempoMap(timing, result.song))
        return Invalid(MidiParseError::TooLarge, "song too long");
    const MidiSong& song = result.song;
    if (std::none_of(song.events.begin(), song.events.end(), [&song](const MidiEvent& event) {
            return IsNoteOn(event) && event.timeUs < song.lengthUs;
        }))
        return Invalid(MidiParseError::InvalidFormat, "no notes to play");
    ThinFloods(result.song.events);
    return result;
}

}  // namespace audio
