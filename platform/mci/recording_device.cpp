#include "platform/mci/recording_device.h"

#include <algorithm>
#include <array>

#include "platform/drives.h"

namespace mci {

namespace {

constexpr std::array<std::int64_t, 4> kSampleSizes = {8, 16, 24, 32};

// The recorder's own limits, so a format set here is one it can save.
bool supported(const WaveFormat& format) {
    using audio::Recorder;
    return format.samplesPerSec >= Recorder::kMinRate &&
           format.samplesPerSec <= Recorder::kMaxRate && format.channels >= 1 &&
           format.channels <= Recorder::kMaxChannels &&
           std::ranges::find(kSampleSizes, format.bitsPerSample) != kSampleSizes.end();
}

}  // namespace

ErrorCode RecordingDevice::Pause() {
    if (paused_) return err::kNone;
    if (!recorder_.Recording()) return err::kNonapplicableFunction;
    recorder_.Stop();
    paused_ = true;
    return err::kNone;
}

ErrorCode RecordingDevice::Resume() {
    if (recorder_.Recording()) return err::kNone;
    if (!paused_) return err::kNonapplicableFunction;
    recorder_.Start(false);
    paused_ = false;
    return err::kNone;
}

ErrorCode RecordingDevice::Stop() {
    recorder_.Stop();
    paused_ = false;
    return err::kNone;
}

ErrorCode RecordingDevice::Record(const Command& command) {
    recorder_.Start(command.Has(Flag::Overwrite));
    paused_ = false;
    started_ = true;
    return err::kNone;
}

// The format is fixed once recording has begun: what was captured is saved in it.
ErrorCode RecordingDevice::SetFormat(const Command& command) {
    if (started_) return err::kNonapplicableFunction;
    WaveFormat format = format_;
    format.samplesPerSec = command.Number(Flag::SamplesPerSec).value_or(format.samplesPerSec);
    format.channels = command.Number(Flag::Channels).value_or(format.channels);
    format.bitsPerSample = command.Number(Flag::BitsPerSample).value_or(format.bitsPerSample);
    if (!supported(format)) return err::kOutOfRange;
    if (command.Number(Flag::Alignment).value_or(format.Alignment()) != format.Alignment() ||
        command.Number(Flag::BytesPerSec).value_or(format.BytesPerSec()) != format.BytesPerSec())
        return err::kOutOfRange;
    format_ = format;
    return err::kNone;
}

ErrorCode RecordingDevice::Save(const std::string& path) {
    if (recorder_.Recording()) return err::kNonapplicableFunction;
    const auto file = drives::ResolveForCreate(path);
    if (!file) return err::kFileNotSaved;
    std::string reason;
    const bool saved = recorder_.Save(*file, static_cast<int>(format_.samplesPerSec),
                                      static_cast<int>(format_.channels),
                                      static_cast<int>(format_.bitsPerSample), &reason);
    return saved ? err::kNone : err::kFileWrite;
}

std::string_view RecordingDevice::Mode() const {
    if (recorder_.Recording()) return "recording";
    return paused_ ? "paused" : "stopped";
}

}  // namespace mci
