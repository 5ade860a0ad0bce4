// SDL2 audio output, inside the application's SdlAudioSession; without one this sink does not
// open and the null sink takes over. Each sink starts SDL's audio subsystem for its own life.
// SDL's own SDL_AUDIODRIVER choice (the disk driver to capture the output, for one) is left to SDL.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/audio/mixer.h"
#include "platform/audio/sink.h"

namespace audio {

namespace {

constexpr int kPeriodFrames = 512;

class SdlSink final : public Sink {
  public:
    explicit SdlSink(Mixer& mixer) : mixer_(mixer) {}

    ~SdlSink() override {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open() {
        if (!SdlSinkReady()) return false;
        started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!started_) {
            std::fprintf(stderr, "audio: no SDL audio output (%s); playing silently\n", SDL_GetError());
            return false;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = mixer_.SampleRate();
        wanted.format = AUDIO_F32SYS;
        wanted.channels = 2;
        wanted.samples = kPeriodFrames;
        wanted.callback = &SdlSink::Fill;
        wanted.userdata = &mixer_;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the device takes.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device_ == 0) {
            std::fprintf(stderr, "audio: no SDL audio output (%s); playing silently\n", SDL_GetError());
            return false;
        }
        SDL_PauseAudioDevice(device_, 0);
        const char* driver = SDL_GetCurrentAudioDriver();
        disk_ = driver != nullptr && std::strcmp(driver, "disk") == 0;
        return true;
    }

    // The disk driver truncates its file at each open: closed when idle, it would keep only
    // the last sound of a session.
    bool KeepOpen() const override { return disk_; }

  private:
    // SDL's callback. A render that takes longer than the period it fills has starved the
    // device (steady_clock reads the vDSO clock: no system call).
    static void Fill(void* userdata, Uint8* stream, int length) {
        auto* mixer = static_cast<Mixer*>(userdata);
        const int frames = length / static_cast<int>(2 * sizeof(float));
        const auto start = std::chrono::steady_clock::now();
        mixer->Render(reinterpret_cast<float*>(stream), frames);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() * mixer->SampleRate() > frames) mixer->CountLatePeriod();
    }

    Mixer& mixer_;
    bool started_ = false;
    SDL_AudioDeviceID device_ = 0;
    bool disk_ = false;
};

}  // namespace

std::unique_ptr<Sink> OpenSdlSink(Mixer& mixer) {
    auto sink = std::make_unique<SdlSink>(mixer);
    if (!sink->Open()) return nullptr;
    return sink;
}

}  // namespace audio
