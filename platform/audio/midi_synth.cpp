#include "platform/audio/midi_synth.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

#include "platform/audio/address_space.h"
#include "platform/audio/engine.h"
#include "platform/audio/soundfont_choice.h"
#include "platform/audio/synth_log.h"
#include "platform/audio/synth_reads.h"

namespace audio {

namespace {

// As Debian lays them out: SF2, SF3 (compressed, read through libsndfile), then the shared
// folder other distributions use.
constexpr std::array kSoundfontDirectories = {"/usr/share/sounds/sf2", "/usr/share/sounds/sf3",
                                              "/usr/share/soundfonts"};
constexpr std::array kSoundfontNames = {"default-GM.sf2", "default-GM.sf3", "FluidR3_GM.sf2",
                                        "TimGM6mb.sf2", "MuseScore_General.sf3"};
constexpr const char* kSoundfontPackage = "fluid-soundfont-gm";
// After this long without a playing song the reverb tail is over and rendering can pause.
constexpr int kTailSeconds = 3;

// Voices sounding at once over all songs; a note beyond them takes the place of the oldest.
// Plenty for several General MIDI songs, and each voice costs memory whether it sounds or not.
constexpr int kPolyphony = 128;

struct SharedState {
    std::mutex mutex;
    std::shared_ptr<MidiSynth> synth;
    std::vector<std::filesystem::path> directories{kSoundfontDirectories.begin(),
                                                   kSoundfontDirectories.end()};
    bool toldNone = false;
    bool toldChosen = false;
};

SharedState& Shared() {
    static SharedState state;
    return state;
}

}  // namespace

std::vector<std::filesystem::path> FindSoundfonts(
    const std::vector<std::filesystem::path>& directories) {
    std::vector<std::filesystem::path> found;
    for (const char* name : kSoundfontNames)
        for (const auto& directory : directories) {
            std::error_code ignored;
            const auto candidate = directory / name;
            if (std::filesystem::is_regular_file(candidate, ignored)) found.push_back(candidate);
        }
    return found;
}

namespace {

std::string Listed(const std::vector<std::filesystem::path>& directories) {
    std::string list;
    for (const auto& directory : directories)
        list += (list.empty() ? "" : ", ") + directory.string();
    return list;
}

// Why `soundfont` cannot be opened, when the cause is not the file: the process has used up
// the open files it may have.
bool OutOfFiles(const std::filesystem::path& soundfont) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(soundfont.c_str(), "rb"),
                                                               std::fclose);
    return !file && (errno == EMFILE || errno == ENFILE);
}

void TellChosenUnusable(const std::filesystem::path& chosen) {
    std::error_code ignored;
    const char* why = std::filesystem::exists(chosen, ignored)
                          ? "it is not a soundfont that can be read"
                          : "there is no such file";
    std::fprintf(stderr, "MIDI: the soundfont %s cannot be used (%s); using the system's\n",
                 chosen.c_str(), why);
}

}  // namespace

std::shared_ptr<MidiSynth> MidiSynth::Shared(LoadError* error, std::string* detail) {
    SharedState& shared = audio::Shared();
    std::lock_guard lock(shared.mutex);
    if (shared.synth) return shared.synth;
    InstallSynthLog();
    const auto chosen = ChosenSoundfont();
    std::vector<std::filesystem::path> soundfonts;
    if (chosen) soundfonts.push_back(*chosen);
    for (const auto& found : FindSoundfonts(shared.directories)) soundfonts.push_back(found);
    *error = LoadError::NoSoundfont;
    if (soundfonts.empty()) {
        *detail = std::string("no General MIDI soundfont in ") + Listed(shared.directories) +
                  "; install one (on Debian: " + kSoundfontPackage + ")";
        if (!std::exchange(shared.toldNone, true))
            std::fprintf(stderr, "MIDI: %s\n", detail->c_str());
        return nullptr;
    }
    RequireRoomForSoundfont(soundfonts.front());
    const std::shared_ptr<Mixer> mixer = Engine::Shared().SharedMixer();
    auto synth = std::make_shared<MidiSynth>(mixer->SampleRate(), soundfonts);
    FlushSynthLog();
    if (!synth->Ready() && std::any_of(soundfonts.begin(), soundfonts.end(), OutOfFiles)) {
        *error = LoadError::TooManyFiles;
        *detail = "too many files are open to read the soundfont";
        return nullptr;
    }
    if (chosen && synth->Soundfont() != *chosen && !std::exchange(shared.toldChosen, true))
        TellChosenUnusable(*chosen);
    if (!synth->Ready()) {
        *detail = "no soundfont in " + Listed(shared.directories) + " can be loaded";
        return nullptr;
    }
    mixer->AttachBus(synth);
    shared.synth = synth;
    return synth;
}

bool MidiSynth::Loaded() {
    SharedState& shared = audio::Shared();
    std::lock_guard lock(shared.mutex);
    return shared.synth != nullptr;
}

void MidiSynth::UseSoundfontDirectory(const std::filesystem::path& directory) {
    SharedState& shared = audio::Shared();
    std::lock_guard lock(shared.mutex);
    shared.directories = {directory};
}

MidiSynth::MidiSynth(int sampleRate, const std::vector<std::filesystem::path>& soundfonts)
    : sampleRate_(sampleRate) {
    InstallSynthLog();
    settings_ = new_fluid_settings();
    if (!settings_) return;
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    fluid_settings_setint(settings_, "synth.midi-channels", 16 * kBlocks);
    fluid_settings_setint(settings_, "synth.polyphony", kPolyphony);
    // Only the instruments in use are read into memory (see Pin).
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    // Locking samples in memory needs a limit desktops do not grant, and warns when refused.
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // Debian's FluidSynth renders each period through an OpenMP parallel region; on one core
    // the region runs on the calling thread, with no worker threads to start or wait for.
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    // Calls never overlap: the audio thread and a song's opening take turns (SynthAccess).
    fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) return;
    if (fluid_sfloader_t* loader = NewCountingLoader(settings_))
        fluid_synth_add_sfloader(synth_, loader);
    // The tenth channel of each block takes its programs from the percussion bank.
    for (int channel = 0; channel < 16 * kBlocks; ++channel)
        fluid_synth_set_channel_type(synth_, channel,
                                     channel % 16 == 9 ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
    for (const auto& soundfont : soundfonts) {
        // A file that is not a SoundFont at all would go on to the DLS loader, whose library
        // writes to standard error itself.
        if (!fluid_is_soundfont(soundfont.c_str())) continue;
        // No instrument is selected on loading: a song selects those it plays (see Restore),
        // so that a song without a piano or drums does not hold their samples.
        fontId_ = fluid_synth_sfload(synth_, soundfont.c_str(), 0);
        if (fontId_ == FLUID_FAILED) continue;
        soundfont_ = soundfont;
        break;
    }
}

MidiSynth::~MidiSynth() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

int MidiSynth::AcquireBlock() {
    std::lock_guard lock(blocksMutex_);
    const auto free = std::find(blockTaken_.begin(), blockTaken_.end(), false);
    if (free == blockTaken_.end()) return -1;
    *free = true;
    return static_cast<int>(free - blockTaken_.begin());
}

void MidiSynth::ReleaseBlock(int block) {
    if (block < 0) return;
    std::lock_guard lock(blocksMutex_);
    blockTaken_[block] = false;
}

void MidiSynth::Send(int block, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    idleFrames_ = 0;
    const int channel = 16 * block + (status & 0x0F);
    switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            if (data2 == 0)
                fluid_synth_noteoff(synth_, channel, data1);
            else
                fluid_synth_noteon(synth_, channel, data1, data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
            break;
        default:
            break;
    }
}

void MidiSynth::Restore(int block, const SongState& state) {
    idleFrames_ = 0;
    for (int index = 0; index < 16; ++index) {
        const int channel = 16 * block + index;
        const ChannelState& wanted = state[index];
        fluid_synth_all_sounds_off(synth_, channel);
        fluid_synth_cc(synth_, channel, 121, 0);
        // Defaults first, then whatever the song set, bank select before the program.
        for (const auto& [controller, value] :
             {std::pair{0, 0}, {32, 0}, {7, 100}, {10, 64}, {11, 127}, {64, 0}})
            fluid_synth_cc(synth_, channel, controller, value);
        for (int controller = 0; controller < 128; ++controller)
            if (wanted.controllerSet.test(controller))
                fluid_synth_cc(synth_, channel, controller, wanted.controllers[controller]);
        // Only instruments the song pinned: any other would load its samples right here.
        if (wanted.programChosen || wanted.playsFirstInstrument)
            fluid_synth_program_change(synth_, channel, wanted.program);
        else
            fluid_synth_unset_program(synth_, channel);
        fluid_synth_pitch_wheel_sens(synth_, channel, wanted.bendRange);
        fluid_synth_pitch_bend(synth_, channel, wanted.bend);
        fluid_synth_channel_pressure(synth_, channel, wanted.pressure);
    }
}

void MidiSynth::SoundsOff(int block) {
    const SynthAccess::AudioTurn turn(access_);
    if (!turn) {
        silencePending_.set(block);
        return;
    }
    for (int index = 0; index < 16; ++index) fluid_synth_all_sounds_off(synth_, 16 * block + index);
}

void MidiSynth::Render(float* stereo, int frames) {
    if (idleFrames_ > std::int64_t(kTailSeconds) * sampleRate_) return;
    const SynthAccess::AudioTurn turn(access_);
    if (!turn) {  // a song's instruments are loading: no MIDI in this block
        blocksMissed_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    for (int block = 0; block < kBlocks && silencePending_.any(); ++block) {
        if (!silencePending_.test(block)) continue;
        silencePending_.reset(block);
        for (int index = 0; index < 16; ++index)
            fluid_synth_all_sounds_off(synth_, 16 * block + index);
    }
    idleFrames_ += frames;
    fluid_synth_write_float(synth_, frames, scratch_.data(), 0, 2, scratch_.data(), 1, 2);
    for (int i = 0; i < 2 * frames; ++i) stereo[i] += scratch_[i];
}

void MidiSynth::PeriodEnded() {
    access_.PeriodEnded(songPlayed_);
    songPlayed_ = false;
}

}  // namespace audio
