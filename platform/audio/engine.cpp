#include "platform/audio/engine.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string_view>

#include "platform/audio/mixer.h"
#include "platform/audio/sink.h"
#include "platform/audio/wave_reader.h"

namespace audio {

namespace {

constexpr int kSampleRate = 44100;
// Well under a stream's read-ahead, so an offline pull never outruns the files.
constexpr int kPullPieceFrames = 4096;

struct Choice {
    std::mutex mutex;
    std::string name;  // empty: the first sink that opens
    bool started = false;
};

Choice& SinkChoice() {
    static Choice choice;
    return choice;
}

}  // namespace

Engine& Engine::Shared() {
    static Engine engine;
    return engine;
}

bool Engine::ChooseSink(const std::string& name) {
    Choice& choice = SinkChoice();
    std::lock_guard lock(choice.mutex);
    if (choice.started) {
        std::fprintf(stderr, "audio: the sink cannot change once the engine runs\n");
        return false;
    }
    std::string valid;
    for (const SinkEntry& entry : SinkTable()) {
        if (name == entry.name) {
            choice.name = name;
            return true;
        }
        valid += valid.empty() ? "" : ", ";
        valid += entry.name;
    }
    std::fprintf(stderr, "audio: no sink named \"%s\"; the sinks are %s\n", name.c_str(),
                 valid.c_str());
    return false;
}

std::vector<std::string> Engine::SinkNames() {
    std::vector<std::string> names;
    for (const SinkEntry& entry : SinkTable()) names.emplace_back(entry.name);
    return names;
}

// Decides the sink without opening it, so a program that never sounds never opens a device.
Engine::Engine() : mixer_(std::make_shared<Mixer>(kSampleRate)) {
    Choice& choice = SinkChoice();
    std::lock_guard lock(choice.mutex);
    choice.started = true;
    const SinkEntry* first = nullptr;
    for (const SinkEntry& entry : SinkTable()) {
        const bool wanted = choice.name.empty() ? !entry.demandOnly : choice.name == entry.name;
        if (!wanted) continue;
        if (first == nullptr) first = &entry;
        if (entry.ready()) {
            entry_.store(&entry);
            break;
        }
    }
    if (entry_.load() != first || first == nullptr) FallBackToNull(false);
    mixer_->SetOutput([this](Mixer& mixer) { return OpenSink(mixer); });
}

Engine::~Engine() {
    mixer_->Shutdown();
}

std::unique_ptr<Sink> Engine::OpenSink(Mixer& mixer) {
    const SinkEntry* entry = entry_.load();
    if (std::unique_ptr<Sink> sink = entry->open(mixer)) return sink;
    // The SDL sink has said why, in the same words.
    FallBackToNull(std::string_view(entry->name) == "sdl");
    return OpenNullSink(mixer);
}

// What was asked for does not open: the null sink always does, and is kept from then on, so
// this is said once.
void Engine::FallBackToNull(bool said) {
    const std::string& asked = SinkChoice().name;
    if (!said && asked.empty()) std::fprintf(stderr, "audio: no SDL audio output; playing silently\n");
    if (!said && !asked.empty())
        std::fprintf(stderr, "audio: the %s sink did not open; playing silently\n", asked.c_str());
    for (const SinkEntry& entry : SinkTable())
        if (std::string_view(entry.name) == "null") entry_.store(&entry);
}

int Engine::SampleRate() const {
    return mixer_->SampleRate();
}

std::string Engine::SinkName() const {
    return entry_.load()->name;
}

bool Engine::OutputOpen() const {
    return mixer_->OutputOpen();
}

void Engine::SetLineGain(Line line, float gain) {
    mixer_->SetGain(line, gain);
}

float Engine::LineGain(Line line) const {
    return mixer_->Gain(line);
}

bool Engine::Pull(float* stereo, int frames) {
    if (SinkName() != "offline") return false;
    const std::shared_ptr<WaveReader> reader = WaveReader::Shared();
    while (frames > 0) {
        const int piece = std::min(frames, kPullPieceFrames);
        reader->ReadNow(piece);
        mixer_->Render(stereo, piece);
        stereo += 2 * piece;
        frames -= piece;
    }
    return true;
}

UnderrunCount Engine::Underruns() const {
    return mixer_->Underruns();
}

std::shared_ptr<Mixer> Engine::SharedMixer() const {
    return mixer_;
}

}  // namespace audio
