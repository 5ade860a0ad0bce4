#include "platform/audio/mixer.h"

#include <algorithm>
#include <cstdio>

#include "platform/audio/capture.h"
#include "platform/audio/sink.h"
#include "platform/audio/thread_name.h"
#include "platform/audio/track.h"
#include "platform/audio/wave_reader.h"

namespace audio {

namespace {
// How often the service thread, while the output is open, delivers finished notices, frees
// retired objects, moves captured frames out of the recorders' rings and looks for a quiet
// spell. The audio thread never wakes it: it polls. While the output is closed it sleeps.
constexpr auto kServiceInterval = std::chrono::milliseconds(20);
constexpr int kDrainEvery = 5;
constexpr auto kPollPause = std::chrono::milliseconds(1);
// A full queue means the audio thread has stopped running (a lost device, a stopped
// debugger); past this the command fails rather than hold every control call for ever.
constexpr auto kFullQueueLimit = std::chrono::milliseconds(1000);
// A few periods of any sink.
constexpr auto kSettleLimit = std::chrono::milliseconds(100);

Command CaptureCommand(Command::Kind kind, Capture* capture) {
    Command command;
    command.kind = kind;
    command.capture = capture;
    return command;
}

}  // namespace

Mixer::Mixer(int sampleRate, std::chrono::milliseconds idleClose)
    : sampleRate_(sampleRate), idleFrames_(idleClose.count() * sampleRate / 1000) {
    for (auto& gain : gains_) gain.store(1.0f);
}

Mixer::~Mixer() {
    Shutdown();
}

void Mixer::Shutdown() {
    std::unique_ptr<Sink> sink;
    {
        std::lock_guard lock(controlMutex_);
        opener_ = nullptr;
        sink = std::move(sink_);
    }
    sink.reset();
    {
        std::lock_guard lock(serviceMutex_);
        stopping_ = true;
    }
    serviceWake_.notify_all();
    if (service_.joinable()) {
        if (OnServiceThread())
            service_.detach();
        else
            service_.join();
    }
    std::vector<std::pair<std::uint64_t, std::shared_ptr<void>>> garbage;
    {
        std::lock_guard lock(controlMutex_);
        garbage.swap(garbage_);
    }
}

void Mixer::SetOutput(OutputOpener open) {
    std::lock_guard lock(controlMutex_);
    opener_ = std::move(open);
}

// Lock() held. The service thread starts with the first output, not with the mixer, so a
// program that has not sounded yet runs none of the engine's threads.
void Mixer::OpenOutput() {
    if (sink_ || !opener_) return;
    quietFrames_.store(0);
    sink_ = opener_(*this);
    if (!sink_) return;
    clocked_.store(sink_->Clocked());
    keepOpen_.store(sink_->KeepOpen());
    WaveReader::Shared()->SetOutputRunning(clocked_.load());
    {
        std::lock_guard lock(serviceMutex_);
        if (!service_.joinable() && !stopping_) service_ = std::thread([this] { Serve(); });
    }
    SetOpen(true);
}

void Mixer::SetOpen(bool open) {
    {
        std::lock_guard lock(serviceMutex_);
        open_.store(open);
    }
    serviceWake_.notify_all();
}

// service thread. The sink is destroyed under the lock, so no command opens another while its
// thread may still render.
void Mixer::CloseIfIdle() {
    std::lock_guard lock(controlMutex_);
    if (!sink_ || keepOpen_.load() || Pending() != 0 || quietFrames_.load() < idleFrames_)
        return;
    sink_.reset();
    WaveReader::Shared()->SetOutputRunning(false);
    SetOpen(false);
}

void Mixer::SetGain(Line line, float gain) {
    gains_[static_cast<int>(line)].store(std::clamp(gain, 0.0f, 1.0f));
}

float Mixer::Gain(Line line) const {
    return gains_[static_cast<int>(line)].load();
}

bool Mixer::Send(const Command& command) {
    OpenOutput();
    if (queue_.Write(&command, 1) == 1) return true;
    const auto deadline = std::chrono::steady_clock::now() + kFullQueueLimit;
    while (clocked_.load() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kPollPause);
        if (queue_.Write(&command, 1) == 1) return true;
    }
    std::fprintf(stderr, "audio: the output has stopped taking commands; %zu are waiting\n",
                 Pending());
    return false;
}

bool Mixer::HasRoomFor(const Track* track) const {
    const auto sounding = std::count_if(tracks_.begin(), tracks_.end(), [&](const auto& entry) {
        return entry.first != track && entry.second->State() == PlayState::Playing;
    });
    return std::size_t(sounding) < kMaxPlaying;
}

void Mixer::Retire(std::shared_ptr<void> garbage) {
    if (garbage) garbage_.emplace_back(queue_.Written(), std::move(garbage));
}

std::vector<std::shared_ptr<void>> Mixer::TakeExpiredGarbage() {
    const std::uint64_t done = queue_.Consumed();
    std::vector<std::shared_ptr<void>> expired;
    std::erase_if(garbage_, [&](auto& item) {
        if (item.first > done) return false;
        expired.push_back(std::move(item.second));
        return true;
    });
    return expired;
}

void Mixer::Settle() {
    const std::uint64_t sent = queue_.Written();
    const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
    while (clocked_.load() && queue_.Consumed() < sent &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPollPause);
    std::vector<std::shared_ptr<void>> expired;
    {
        std::lock_guard lock(controlMutex_);
        expired = TakeExpiredGarbage();
    }
}

void Mixer::Register(const std::shared_ptr<Track>& track) {
    tracks_.emplace(track.get(), track);
}

void Mixer::Unregister(const Track* track) {
    const auto found = tracks_.find(track);
    if (found == tracks_.end()) return;
    Retire(std::move(found->second));
    tracks_.erase(found);
}

void Mixer::AttachBus(const std::shared_ptr<Bus>& bus) {
    std::lock_guard lock(controlMutex_);
    buses_.push_back(bus);
    Command command;
    command.kind = Command::Kind::AddBus;
    command.bus = bus.get();
    Send(command);
}

void Mixer::AttachCapture(const std::shared_ptr<Capture>& capture) {
    std::lock_guard lock(controlMutex_);
    if (std::find(captures_.begin(), captures_.end(), capture) != captures_.end()) return;
    captures_.push_back(capture);
    Send(CaptureCommand(Command::Kind::AddCapture, capture.get()));
}

void Mixer::DetachCapture(const std::shared_ptr<Capture>& capture) {
    std::lock_guard lock(controlMutex_);
    const auto found = std::find(captures_.begin(), captures_.end(), capture);
    if (found == captures_.end()) return;
    Send(CaptureCommand(Command::Kind::RemoveCapture, capture.get()));
    Retire(std::move(*found));
    captures_.erase(found);
}

// audio thread
void Mixer::Render(float* stereo, int frames) {
    for (int applied = 0; applied < kMaxCommandsPerPeriod; ++applied) {
        const std::span<const Command> commands = queue_.Readable()[0];
        if (commands.empty()) break;
        Apply(commands.front());
        queue_.Consume(1);
    }
    const bool quiet = playingCount_ == 0 && audioCaptureCount_ == 0;
    quietFrames_.store(quiet ? quietFrames_.load(std::memory_order_relaxed) + frames : 0,
                       std::memory_order_relaxed);
    short_ = false;
    while (frames > 0) {
        const int block = std::min(frames, kBlockFrames);
        MixBlock(stereo, block);
        stereo += 2 * block;
        frames -= block;
    }
    for (std::size_t i = 0; i < audioBusCount_; ++i) audioBuses_[i]->PeriodEnded();
    if (short_) starved_.fetch_add(1, std::memory_order_relaxed);
}

// audio thread
void Mixer::Apply(const Command& command) {
    switch (command.kind) {
        case Command::Kind::Track: {
            Track* track = command.track;
            track->Apply(command);
            if (track->Playing() && !track->Listed()) {
                if (playingCount_ == kMaxPlaying) {
                    track->Halt();
                } else {
                    playing_[playingCount_++] = track;
                    track->SetListed(true);
                }
            }
            if (!track->Playing()) DropStoppedTracks();
            break;
        }
        case Command::Kind::AddBus:
            if (audioBusCount_ < audioBuses_.size()) audioBuses_[audioBusCount_++] = command.bus;
            break;
        case Command::Kind::AddCapture:
            if (audioCaptureCount_ < audioCaptures_.size())
                audioCaptures_[audioCaptureCount_++] = command.capture;
            break;
        case Command::Kind::RemoveCapture: {
            const auto end = audioCaptures_.begin() + audioCaptureCount_;
            audioCaptureCount_ = std::size_t(
                std::remove(audioCaptures_.begin(), end, command.capture) - audioCaptures_.begin());
            break;
        }
    }
}

// audio thread: keeps only the tracks still playing, in their order.
void Mixer::DropStoppedTracks() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < playingCount_; ++i) {
        Track* track = playing_[i];
        if (track->Playing())
            playing_[kept++] = track;
        else
            track->SetListed(false);
    }
    playingCount_ = kept;
}

// audio thread
void Mixer::MixBlock(float* out, int frames) {
    const int samples = 2 * frames;
    std::fill_n(waveBus_.begin(), samples, 0.0f);
    std::fill_n(midiBus_.begin(), samples, 0.0f);
    std::fill_n(cdBus_.begin(), samples, 0.0f);
    bool finished = false;
    for (std::size_t i = 0; i < playingCount_; ++i) {
        Track* track = playing_[i];
        if (!track->Render(BusOf(track->OutputLine()), frames)) short_ = true;
        finished = finished || !track->Playing();
    }
    if (finished) DropStoppedTracks();
    for (std::size_t i = 0; i < audioBusCount_; ++i)
        audioBuses_[i]->Render(midiBus_.data(), frames);

    const float wave = Gain(Line::Wave);
    const float midi = Gain(Line::Midi);
    const float cd = Gain(Line::Cd);
    for (int i = 0; i < samples; ++i)
        out[i] = wave * waveBus_[i] + midi * midiBus_[i] + cd * cdBus_[i];
    for (std::size_t i = 0; i < audioCaptureCount_; ++i) audioCaptures_[i]->Write(out, frames);
    const float master = Gain(Line::Master);
    for (int i = 0; i < samples; ++i) out[i] *= master;
}

// audio thread
float* Mixer::BusOf(Line line) {
    switch (line) {
        case Line::Midi:
            return midiBus_.data();
        case Line::Cd:
            return cdBus_.data();
        case Line::Master:
        case Line::Wave:
            break;
    }
    return waveBus_.data();
}

void Mixer::Serve() {
    NameThisThread("audio-service");
    for (int round = 1;; ++round) {
        {
            std::unique_lock lock(serviceMutex_);
            serviceWake_.wait(lock, [this] { return stopping_ || open_.load(); });
            if (!stopping_) serviceWake_.wait_for(lock, kServiceInterval, [this] { return stopping_; });
            if (stopping_) return;
        }
        CloseIfIdle();
        if (noticesPending_.exchange(false, std::memory_order_acquire)) DeliverNotices();
        std::vector<std::shared_ptr<void>> expired;
        {
            std::lock_guard lock(controlMutex_);
            expired = TakeExpiredGarbage();
        }
        // Freed here, outside the lock: closing files and streams takes a moment.
        expired.clear();
        if (round % kDrainEvery == 0) DrainCaptures();
    }
}

// service thread: runs the finished notices outside every lock.
void Mixer::DeliverNotices() {
    std::vector<std::shared_ptr<Track>> tracks;
    {
        std::lock_guard lock(controlMutex_);
        for (const auto& entry : tracks_) tracks.push_back(entry.second);
    }
    for (const auto& track : tracks) track->DeliverFinishedIfPending();
}

void Mixer::DrainCaptures() {
    std::vector<std::shared_ptr<Capture>> captures;
    {
        std::lock_guard lock(controlMutex_);
        captures = captures_;
    }
    for (const auto& capture : captures) capture->Drain();
}

}  // namespace audio
