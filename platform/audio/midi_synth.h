#pragma once
// The process's one FluidSynth instance. The General MIDI soundfont is loaded once, on the first
// MIDI load; every MIDI player borrows a block of 16 of the synthesiser's channels, so several
// songs can play at once through one loaded font. Once created, the synthesiser is called only
// from the audio thread (voices and the bus), so it needs no lock.
#include <fluidsynth.h>

#include <array>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/audio/midi_channel_state.h"
#include "platform/audio/mixer.h"

namespace audio {

// The first General MIDI soundfont found in `directory`, in order of preference.
std::optional<std::filesystem::path> FindSoundfont(const std::filesystem::path& directory);

class MidiSynth final : public Bus {
  public:
    static constexpr int kBlocks = 16;  // players that can sound at once
    static constexpr const char* kSoundfontDirectory = "/usr/share/sounds/sf2";

    // Creates the synthesiser and loads the soundfont on the first call; null with *detail
    // filled when no soundfont can be loaded.
    static std::shared_ptr<MidiSynth> Shared(std::string* detail);
    // Whether the soundfont has been loaded in this process.
    static bool Loaded();

    MidiSynth(int sampleRate, const std::filesystem::path& soundfont);
    ~MidiSynth() override;
    int SampleRate() const { return sampleRate_; }
    bool Ready() const { return synth_ != nullptr && fontId_ != FLUID_FAILED; }

    // Control thread. A block number, or -1 when every block is taken (the player is refused).
    int AcquireBlock();
    void ReleaseBlock(int block);

    // Audio thread.
    void Send(int block, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void Restore(int block, const SongState& state);
    void SoundsOff(int block);
    void KeepAwake() { idleFrames_ = 0; }  // a song is playing, even through a long rest
    void Render(float* stereo, int frames) override;

  private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    int fontId_ = FLUID_FAILED;
    int sampleRate_;
    std::int64_t idleFrames_ = 0;  // audio thread
    std::array<float, 2 * Mixer::kBlockFrames> scratch_{};

    std::mutex blocksMutex_;
    std::array<bool, kBlocks> blockTaken_{};
};

}  // namespace audio
