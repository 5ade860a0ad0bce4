#pragma once
// The process's one FluidSynth instance. The General MIDI soundfont is loaded once, on the first
// MIDI load; every MIDI player borrows a block of 16 of the synthesiser's channels, so several
// songs can play at once through one loaded font. The audio thread makes the synthesiser's
// calls, except while a song opens: then the control thread pins its instruments, taking turns
// with the audio thread through SynthAccess.
//
// Samples load on demand: only the instruments of the songs open are in memory. Each song pins
// its instruments when it opens, on the control thread, so that no program change while
// playing has to read the soundfont. Beside another open song they are read beforehand without
// the synthesiser (SamplePreload), so that pinning takes it from a playing song only for moments.
#include <fluidsynth.h>

#include <array>
#include <atomic>
#include <bitset>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/clip.h"
#include "platform/audio/midi_channel_state.h"
#include "platform/audio/midi_presets.h"
#include "platform/audio/mixer.h"
#include "platform/audio/sample_preload.h"
#include "platform/audio/synth_access.h"

namespace audio {

// The General MIDI soundfonts in `directories`, in order of preference.
std::vector<std::filesystem::path> FindSoundfonts(
    const std::vector<std::filesystem::path>& directories);

class MidiSynth final : public Bus {
  public:
    // Players that can sound at once. FluidSynth marks a voice without a channel as channel 255,
    // so a controller sent there reaches every idle voice, and crashes on one never used yet.
    static constexpr int kBlocks = 15;
    static_assert(16 * kBlocks <= 255);

    // Creates the synthesiser and loads the soundfont on the first call (the one the user
    // chose, else the system's); null with *error and *detail filled when none can be loaded.
    static std::shared_ptr<MidiSynth> Shared(LoadError* error, std::string* detail);
    // Whether the soundfont has been loaded in this process.
    static bool Loaded();
    // Where Shared looks for soundfonts, instead of the system's folders; only before it first
    // succeeds (tests).
    static void UseSoundfontDirectory(const std::filesystem::path& directory);

    // Loads the first of `soundfonts` that FluidSynth accepts.
    MidiSynth(int sampleRate, const std::vector<std::filesystem::path>& soundfonts);
    ~MidiSynth() override;
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;
    int SampleRate() const { return sampleRate_; }
    bool Ready() const { return synth_ != nullptr && fontId_ != FLUID_FAILED; }
    const std::filesystem::path& Soundfont() const { return soundfont_; }  // empty if none

    // Control thread. A block number, or -1 when every block is taken (the player is refused).
    int AcquireBlock();
    void ReleaseBlock(int block);

    // Audio thread. Send and Restore only inside an AudioTurn of Access(); SoundsOff without
    // the turn silences the block at the next period that has it.
    SynthAccess& Access() { return access_; }
    void Send(int block, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void Restore(int block, const SongState& state);
    void SoundsOff(int block);
    // A song is playing, even through a long rest.
    void KeepAwake() {
        idleFrames_ = 0;
        songPlayed_ = true;
    }
    void Render(float* stereo, int frames) override;
    void PeriodEnded() override;
    // Any thread: blocks rendered without MIDI because a song's instruments were loading.
    long BlocksMissed() const { return blocksMissed_.load(std::memory_order_relaxed); }

  private:
    friend class PinnedPresets;

    // Control thread: loads the presets' samples and keeps them loaded until Unpin; returns
    // what it pinned.
    std::vector<PresetKey> Pin(const std::vector<Preset>& presets);
    // Whether a song is open: one holds pins.
    bool AnySongOpen();
    // Any thread: the samples are released at a later Pin, off the audio thread.
    void Unpin(const std::vector<PresetKey>& pinned);
    // Unpins the presets no open song uses, except those `wanted` (sorted); whether it did.
    bool ReleaseUnused(const std::vector<PresetKey>& wanted);

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    int fontId_ = FLUID_FAILED;
    std::filesystem::path soundfont_;
    int sampleRate_;
    SynthAccess access_;
    std::mutex pinningMutex_;             // one Pin at a time
    std::mutex pinsMutex_;                // inside a ControlTurn when both are held
    std::map<PresetKey, int> pinCounts_;  // songs open that use each pinned preset
    std::int64_t idleFrames_ = 0;         // audio thread
    bool songPlayed_ = false;             // audio thread: in this period
    std::atomic<long> blocksMissed_{0};
    std::bitset<kBlocks> silencePending_;  // audio thread: blocks to silence when it has the turn
    std::array<float, 2 * Mixer::kBlockFrames> scratch_{};

    std::mutex blocksMutex_;
    std::array<bool, kBlocks> blockTaken_{};
};

// The instruments of one open song, loaded for as long as the song is open.
class PinnedPresets {
  public:
    PinnedPresets(std::shared_ptr<MidiSynth> synth, const std::vector<Preset>& presets);
    ~PinnedPresets();
    PinnedPresets(const PinnedPresets&) = delete;
    PinnedPresets& operator=(const PinnedPresets&) = delete;

  private:
    std::shared_ptr<MidiSynth> synth_;
    std::vector<PresetKey> pinned_;
};

}  // namespace audio
