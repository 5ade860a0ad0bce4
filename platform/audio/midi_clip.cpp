// MIDI songs: the parsed event list, timed in frames at the engine's rate, with the channel
// state saved every so many events so a seek replays at most that many.
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/audio/clip.h"
#include "platform/audio/engine.h"
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
        const std::bitset<16> onFirst = ChannelsOnFirstInstrument(song);
        for (int index = 0; index < 16; ++index)
            state[index].playsFirstInstrument = onFirst.test(index);
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

// The synthesiser channels one player sounds through, from its open to its close.
class ChannelBlock {
  public:
    explicit ChannelBlock(std::shared_ptr<MidiSynth> synth)
        : synth_(std::move(synth)), index_(synth_->AcquireBlock()) {}
    ~ChannelBlock() { synth_->ReleaseBlock(index_); }
    ChannelBlock(const ChannelBlock&) = delete;
    ChannelBlock& operator=(const ChannelBlock&) = delete;
    int Index() const { return index_; }

  private:
    const std::shared_ptr<MidiSynth> synth_;
    const int index_;
};

// Cued on the control thread: the events to send and the channel state to restore are found
// there, so the audio thread only sends them.
class MidiVoice final : public Voice {
  public:
    MidiVoice(const MidiClip& clip, std::shared_ptr<const ChannelBlock> block, const Span& span)
        : clip_(clip),
          block_(std::move(block)),
          next_(clip.EventAt(span.from)),
          state_(clip.StateBefore(next_)),
          loopStart_(span.loopStart),
          loopNext_(span.repeat ? clip.EventAt(span.loopStart) : 0),
          loopState_(span.repeat ? clip.StateBefore(loopNext_) : SongState{}),
          frame_(span.from) {}

    std::unique_ptr<Voice> Cue(const Span& span) const override {
        return std::make_unique<MidiVoice>(clip_, block_, span);
    }
    bool Sounds() const override { return block_->Index() >= 0; }

    bool Render(float*, int frames) override {
        const auto& events = clip_.Events();
        frame_ += frames;
        if (!Sounds()) return true;
        MidiSynth& synth = clip_.Synth();
        synth.KeepAwake();
        const SynthAccess::AudioTurn turn(synth.Access());
        if (!turn) return true;  // instruments are loading: these events go out next period
        if (needsRestore_) {
            synth.Restore(block_->Index(), *restore_);
            needsRestore_ = false;
        }
        for (; next_ < events.size() && events[next_].frame < frame_; ++next_)
            synth.Send(block_->Index(), events[next_].status, events[next_].data1,
                       events[next_].data2);
        return true;
    }

    void Rewind() override {
        next_ = loopNext_;
        restore_ = &loopState_;
        needsRestore_ = true;
        frame_ = loopStart_;
    }

    void Silence() override {
        if (Sounds()) clip_.Synth().SoundsOff(block_->Index());
    }

  private:
    const MidiClip& clip_;
    const std::shared_ptr<const ChannelBlock> block_;
    std::size_t next_;
    const SongState state_;
    const std::int64_t loopStart_;
    const std::size_t loopNext_;
    const SongState loopState_;
    const SongState* restore_ = &state_;
    bool needsRestore_ = true;
    std::int64_t frame_;
};

std::unique_ptr<Voice> MidiClip::NewVoice() const {
    auto block = std::make_shared<const ChannelBlock>(synth_);
    if (block->Index() < 0) {
        // A player closed a moment ago may still hold one until the audio thread lets go.
        Engine::Shared().SharedMixer()->Settle();
        block = std::make_shared<const ChannelBlock>(synth_);
    }
    return std::make_unique<MidiVoice>(*this, std::move(block), Span{});
}

}  // namespace

LoadResult LoadMidiFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return LoadFailure(LoadError::NotFound, "no such file");
    std::ifstream in(file, std::ios::binary);
    if (!in && (errno == EMFILE || errno == ENFILE))
        return LoadFailure(LoadError::TooManyFiles, "too many files are open to read the song");
    if (!in) return LoadFailure(LoadError::Unreadable, "the file cannot be read");
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > kMaxMidiFileBytes)
        return LoadFailure(LoadError::InvalidFormat, "the file is too large for a MIDI song");
    std::string bytes(size, '\0');
    if (!in.read(bytes.data(), std::streamsize(size)))
        return LoadFailure(LoadError::Unreadable, "the file cannot be read");

    MidiParseResult parsed = ParseMidi(bytes);
    if (parsed.error != MidiParseError::None)
        return LoadFailure(LoadError::InvalidFormat, parsed.detail);

    in.close();  // its file handle may be the one the soundfont needs
    LoadError failure = LoadError::None;
    std::string detail;
    std::shared_ptr<MidiSynth> synth = MidiSynth::Shared(&failure, &detail);
    if (!synth) return LoadFailure(failure, detail);
    // A song closed just before still holds its instruments until the mix lets go of it; let
    // it go first, so that only this song's instruments are loaded, not both songs'.
    Engine::Shared().SharedMixer()->Settle();
    return LoadResult{
        std::make_shared<MidiClip>(parsed.song, synth, synth->SampleRate()), LoadError::None, {}};
}

}  // namespace audio
