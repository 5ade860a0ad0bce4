#include "platform/audio/wave_stream.h"

#include <algorithm>
#include <cmath>

#include "platform/audio/wave_reader.h"

namespace audio {

namespace {

// Enough to sound until the reader's first round even on a loaded machine, small enough to
// cue in a few milliseconds.
constexpr std::int64_t kCueFrames = 4096;
// Output frames made from one chunk of input, whatever the rates.
constexpr std::int64_t kChunkOutputFrames = 4096;
constexpr std::int64_t kMaxChunkFrames = 8192;

// Channel 0 is left and 1 right; mono feeds both; further channels are folded into both sides.
void DownmixFrame(const float* in, int channels, float* left, float* right) {
    if (channels == 1) {
        *left = *right = in[0];
        return;
    }
    float l = in[0];
    float r = in[1];
    if (channels > 2) {
        float rest = 0.0f;
        for (int c = 2; c < channels; ++c) rest += in[c];
        rest /= float(channels - 2);
        l = 0.7071f * (l + rest);
        r = 0.7071f * (r + rest);
    }
    *left = l;
    *right = r;
}

// A float file may hold NaN or infinity, which would turn the whole mix into noise.
float Finite(float sample) {
    return std::isfinite(sample) ? sample : 0.0f;
}

}  // namespace

WaveStream::WaveStream(std::shared_ptr<const WaveFormat> format, const Span& span)
    : format_(std::move(format)),
      span_(span),
      chunkFrames_(std::clamp<std::int64_t>(
          kChunkOutputFrames * format_->rate / format_->outputRate, 1, kMaxChunkFrames)),
      source_(format_->file, format_->rawStart) {
    SF_INFO info{};
    if (format_->rawFormat != 0) {
        info.samplerate = format_->rate;
        info.channels = format_->channels;
        info.format = format_->rawFormat;
    }
    file_ = source_.OpenSound(&info);
    // Rewritten in place since its load: its samples no longer fit what was read then.
    if (info.channels != format_->channels || info.samplerate != format_->rate) file_.reset();
    if (format_->rate != format_->outputRate)
        resampler_ = std::make_unique<Resampler>(format_->rate, format_->outputRate);
    decoded_.resize(std::size_t(chunkFrames_ * format_->channels));
    StartPass(span_.from);
    ReadAhead(kCueFrames);
    reader_ = WaveReader::Shared();
    reader_->Add(this);
}

WaveStream::~WaveStream() {
    reader_->Remove(this);
}

std::unique_ptr<Voice> WaveStream::Cue(const Span& span) const {
    return std::make_unique<WaveStream>(format_, span);
}

// audio thread
bool WaveStream::Render(float* stereo, int frames) {
    const std::size_t wanted = 2 * std::size_t(frames);
    std::size_t count = 0;
    for (const std::span<const float> part : ring_.Readable()) {
        const std::size_t n = std::min(part.size(), wanted - count);
        for (std::size_t i = 0; i < n; ++i) stereo[count++] += part[i];
    }
    ring_.Consume(count);
    return count == wanted || done_.load(std::memory_order_acquire);
}

// audio thread: everything the reader will make has been heard.
bool WaveStream::Ended() const {
    return done_.load(std::memory_order_acquire) && ring_.Size() == 0;
}

// Moves made frames into the ring and makes more, until the ring holds `limit` frames.
void WaveStream::ReadAhead(std::int64_t limit) {
    for (;;) {
        MovePending(limit);
        if (pendingAt_ < pending_.size()) return;
        pending_.clear();
        pendingAt_ = 0;
        if (passLeft_ == 0) {
            if (!span_.repeat || cutShort_) {
                done_.store(true, std::memory_order_release);
                return;
            }
            StartPass(span_.loopStart);
        }
        DecodeChunk();
    }
}

void WaveStream::MovePending(std::int64_t limit) {
    const std::size_t wanted = 2 * std::size_t(std::clamp<std::int64_t>(limit, 0, kRingFrames));
    const std::size_t room = wanted - std::min(wanted, ring_.Size());
    pendingAt_ += ring_.Write(pending_.data() + pendingAt_,
                              std::min(room, pending_.size() - pendingAt_));
}

void WaveStream::StartPass(std::int64_t from) {
    const WaveFormat& format = *format_;
    inputAt_ = from * format.rate / format.outputRate;
    inputEnd_ = std::min(format.frames,
                         (span_.end * format.rate + format.outputRate - 1) / format.outputRate);
    passLeft_ = std::max<std::int64_t>(0, span_.end - from);
    flushed_ = false;
    if (resampler_) resampler_->Clear();
    if (file_) sf_seek(file_.get(), inputAt_, SEEK_SET);
}

// Makes the next piece of output into pending_.
void WaveStream::DecodeChunk() {
    const int channels = format_->channels;
    const std::int64_t wanted = std::min(chunkFrames_, inputEnd_ - inputAt_);
    const std::int64_t got =
        file_ && wanted > 0 ? std::int64_t(sf_readf_float(file_.get(), decoded_.data(), wanted))
                            : 0;
    if (got > 0) {
        inputAt_ += got;
        std::transform(decoded_.begin(), decoded_.begin() + got * channels, decoded_.begin(),
                       Finite);
        stereo_.resize(std::size_t(2 * got));
        for (std::int64_t f = 0; f < got; ++f)
            DownmixFrame(&decoded_[std::size_t(f * channels)], channels, &stereo_[2 * f],
                         &stereo_[2 * f + 1]);
        if (resampler_)
            resampler_->Process(stereo_.data(), std::size_t(got), pending_);
        else
            pending_ = stereo_;
    } else if (resampler_ && !flushed_) {
        resampler_->Flush(pending_);
        flushed_ = true;
    } else if (wanted > 0) {
        // The file holds less than its header said: it ends here, as a shorter file would.
        cutShort_ = true;
        passLeft_ = 0;
    } else {
        // Rounding between the rates leaves the span a few frames short: silence fills them.
        pending_.assign(std::size_t(2 * std::min(passLeft_, kChunkOutputFrames)), 0.0f);
    }
    const std::int64_t made = std::min<std::int64_t>(std::int64_t(pending_.size() / 2), passLeft_);
    pending_.resize(std::size_t(2 * made));
    passLeft_ -= made;
}

}  // namespace audio
