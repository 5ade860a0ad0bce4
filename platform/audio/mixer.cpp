#include "platform/audio/mixer.h"

#include <algorithm>
#include <chrono>

#include "platform/audio/capture.h"
#include "platform/audio/track.h"

namespace audio {

namespace {
// How often the service thread moves captured frames out of the recorders' rings.
constexpr auto kDrainInterval = std::chrono::milliseconds(100);
constexpr std::size_t kExpectedTracks = 16;
}  // namespace

Mixer::Mixer(int sampleRate) : sampleRate_(sampleRate) {
    for (auto& gain : gains_) gain.store(1.0f);
    tracks_.reserve(kExpectedTracks);
    service_ = std::thread([this] { Serve(); });
}

Mixer::~Mixer() {
    stopping_.store(true);
    wake_.release();
    if (OnServiceThread())
        service_.detach();
    else
        service_.join();
}

void Mixer::SetGain(Line line, float gain) {
    gains_[static_cast<int>(line)].store(std::clamp(gain, 0.0f, 1.0f));
}

float Mixer::Gain(Line line) const {
    return gains_[static_cast<int>(line)].load();
}

void Mixer::Attach(const std::shared_ptr<Track>& track) {
    std::lock_guard lock(mutex_);
    tracks_.push_back(track);
}

void Mixer::Detach(const Track* track) {
    std::lock_guard lock(mutex_);
    std::erase_if(tracks_, [track](const auto& t) { return t.get() == track; });
}

void Mixer::AttachBus(const std::shared_ptr<Bus>& bus) {
    std::lock_guard lock(mutex_);
    buses_.push_back(bus);
}

void Mixer::AttachCapture(const std::shared_ptr<Capture>& capture) {
    std::lock_guard lock(mutex_);
    if (std::find(captures_.begin(), captures_.end(), capture) == captures_.end())
        captures_.push_back(capture);
}

void Mixer::DetachCapture(const Capture* capture) {
    std::lock_guard lock(mutex_);
    std::erase_if(captures_, [capture](const auto& c) { return c.get() == capture; });
}

// audio thread
void Mixer::Render(float* stereo, int frames) {
    std::lock_guard lock(mutex_);
    while (frames > 0) {
        const int block = std::min(frames, kBlockFrames);
        MixBlock(stereo, block);
        stereo += 2 * block;
        frames -= block;
    }
}

// audio thread, mixer lock held
void Mixer::MixBlock(float* out, int frames) {
    const int samples = 2 * frames;
    std::fill_n(waveBus_.begin(), samples, 0.0f);
    std::fill_n(midiBus_.begin(), samples, 0.0f);
    for (const auto& track : tracks_)
        track->Render(track->OutputLine() == Line::Midi ? midiBus_.data() : waveBus_.data(),
                      frames);
    for (const auto& bus : buses_) bus->Render(midiBus_.data(), frames);

    const float wave = Gain(Line::Wave);
    const float midi = Gain(Line::Midi);
    for (int i = 0; i < samples; ++i) out[i] = wave * waveBus_[i] + midi * midiBus_[i];
    for (const auto& capture : captures_) capture->Write(out, frames);
    const float master = Gain(Line::Master);
    for (int i = 0; i < samples; ++i) out[i] *= master;
}

void Mixer::Serve() {
    while (!stopping_.load()) {
        if (wake_.try_acquire_for(kDrainInterval)) DeliverNotices();
        DrainCaptures();
    }
}

// service thread: runs the finished notices outside the mixer lock.
void Mixer::DeliverNotices() {
    std::vector<std::shared_ptr<Track>> tracks;
    {
        std::lock_guard lock(mutex_);
        tracks = tracks_;
    }
    for (const auto& track : tracks) track->DeliverFinishedIfPending();
}

void Mixer::DrainCaptures() {
    std::vector<std::shared_ptr<Capture>> captures;
    {
        std::lock_guard lock(mutex_);
        captures = captures_;
    }
    for (const auto& capture : captures) capture->Drain();
}

}  // namespace audio
