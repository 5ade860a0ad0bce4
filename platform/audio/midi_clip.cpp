// MIDI songs: the parsed event list, timed in frames at the engine's rate, with the channel
// state saved every so many events so a seek replays at most that many.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/audio/clip.h"
#include "platform/audio/midi_channel_state.h"
#include "platform/audio/midi_file.h"
#include "platform/audio/midi_presets.h"
#include "platform/audio/midi_synth.h"

namespace audio {

namespace {

constexpr std::size_t kCheckpointEvents = 1024;

struct TimedEvent {
    std::int64_t frame;
    std::uint8_t status;
    std::uint8_t data1;
    std::uint8_t data2;
};

class MidiClip final : public Clip {
  public:
    MidiClip(const MidiSong& song, std::shared_ptr<MidiSynth> synth, int rate)
        : synth_(std::move(synth)),
          pins_(synth_, PresetsUsed(song)),
          rate_(rate),
          lengthMs_(song.lengthUs / 1000),
          lengthFrames_(ToFrames(song.lengthUs)) {
        events_.reserve(song.events.size());
        SongState state;
        for (const MidiEvent& event : song.events) {
            if (events_.size() % kCheckpointEvents == 0) checkpoints_.push_back(state);
            events_.push_back(
                TimedEvent{ToFrames(event.timeUs), event.status, event.data1, event.data2});
            ApplyToState(state, event.status, event.data1, event.data2);
        }
    }

    std::int64_t LengthMs() const override { return lengthMs_; }
    Line OutputLine() const override { return Line::Midi; }
    std::int64_t LengthFrames() const override { return lengthFrames_; }
    int SampleRate() const override { return rate_; }
    std::unique_ptr<Voice> NewVoice() const override;

    MidiSynth& Synth() const { return *synth_; }
    const std::vector<TimedEvent>& Events() const { return events_; }

    // The index of the first event at or after `frame`.
    std::size_t EventAt(std::int64_t frame) const {
        return std::size_t(
            std::lower_bound(events_.begin(), events_.end(), frame,
                             [](const TimedEvent& e, std::int64_t f) { return e.frame < f; }) -
            events_.begin());
    }

    // The channel state just before event `index`.
    SongState StateBefore(std::size_t index) const {
        if (checkpoints_.empty()) return SongState{};
        const std::size_t checkpoint = std::min(index / kCheckpointEvents, checkpoints_.size() - 1);
        SongState state = checkpoints_[checkpoint];
        for (std::size_t i = checkpoint * kCheckpointEvents; i < index; ++i)
            ApplyToState(state, events_[i].status, events_[i].data1, events_[i].data2);
        return state;
    }

  private:
    std::int64_t ToFrames(std::int64_t us) const { return us * rate_ / 1'000'000; }

    std::shared_ptr<MidiSynth> synth_;
    PinnedPresets pins_;  // the song's instruments, loaded before it can play
    int rate_;
    std::int64_t lengthMs_;
    std::int64_t lengthFrames_;
    std::vector<TimedEvent> events_;
    std::vector<SongState> checkpoints_;
};

class MidiVoice final : public Voice {
  public:
    explicit MidiVoice(const MidiClip& clip) : clip_(clip), block_(clip.Synth().AcquireBlock()) {}
    ~MidiVoice() override { clip_.Synth().ReleaseBlock(block_); }

    void Seek(std::int64_t frame) override {
        frame_ = frame;
        next_ = clip_.EventAt(frame);
        needsRestore_ = true;
    }

    void Render(float*, int frames) override {
        const auto& events = clip_.Events();
        const std::int64_t end = frame_ + frames;
        frame_ = end;
        if (block_ < 0) {
            while (next_ < events.size() && events[next_].frame < end) ++next_;
            return;
        }
        MidiSynth& synth = clip_.Synth();
        synth.KeepAwake();
        if (needsRestore_) {
            // The checkpoints are at most kCheckpointEvents apart, so this stays short.
            synth.Restore(block_, clip_.StateBefore(next_));
            needsRestore_ = false;
        }
        for (; next_ < events.size() && events[next_].frame < end; ++next_)
            synth.Send(block_, events[next_].status, events[next_].data1, events[next_].data2);
    }

    void Silence() override {
        if (block_ >= 0) clip_.Synth().SoundsOff(block_);
    }

  private:
    const MidiClip& clip_;
    const int block_;
    std::int64_t frame_ = 0;
    std::size_t next_ = 0;
    bool needsRestore_ = true;
};

std::unique_ptr<Voice> MidiClip::NewVoice() const {
    return std::make_unique<MidiVoice>(*this);
}

LoadResult Failure(LoadError error, std::string detail) {
    return LoadResult{nullptr, error, std::move(detail)};
}

}  // namespace

LoadResult LoadMidiFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return Failure(LoadError::NotFound, "no such file");
    std::ifstream in(file, std::ios::binary);
    if (!in) return Failure(LoadError::Unreadable, "the file cannot be read");
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > kMaxMidiFileBytes)
        return Failure(LoadError::InvalidFormat, "the file is too large for a MIDI song");
    std::string bytes(size, '\0');
    if (!in.read(bytes.data(), std::streamsize(size)))
        return Failure(LoadError::Unreadable, "the file cannot be read");

    MidiParseResult parsed = ParseMidi(bytes);
    if (parsed.error != MidiParseError::None)
        return Failure(LoadError::InvalidFormat, parsed.detail);

    std::string detail;
    std::shared_ptr<MidiSynth> synth = MidiSynth::Shared(&detail);
    if (!synth) return Failure(LoadError::NoSoundfont, detail);
    return LoadResult{
        std::make_shared<MidiClip>(parsed.song, synth, synth->SampleRate()), LoadError::None, {}};
}

}  // namespace audio
