#include "platform/mci/recording_device.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "platform/drives.h"
#include "platform/mci/tokens.h"

namespace mci {

namespace {

constexpr std::array<std::int64_t, 4> kSampleSizes = {8, 16, 24, 32};

// The recorder's own limits, so a format set here is one it can save.
bool supported(const WaveFormat& format) {
    using audio::Recorder;
    return format.formatTag == kPcmFormatTag && format.samplesPerSec >= Recorder::kMinRate &&
           format.samplesPerSec <= Recorder::kMaxRate && format.channels >= 1 &&
           format.channels <= Recorder::kMaxChannels &&
           std::ranges::find(kSampleSizes, format.bitsPerSample) != kSampleSizes.end();
}

// Writing into a FIFO would block until a reader came, and into a device or a folder would
// harm it or fail late: only a regular file is replaced, and a new name created.
bool isNewOrRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    return status.type() == std::filesystem::file_type::not_found ||
           status.type() == std::filesystem::file_type::regular;
}

// The recorder keeps its take in a temporary file: when that folder fills, what could not be
// kept is lost, and the command that stopped the recording says so.
ErrorCode kept(bool whole) {
    return whole ? err::kNone : err::kFileWrite;
}

}  // namespace

std::optional<std::int64_t> RecordingDevice::msOf(const Command& command, Flag flag) const {
    const auto value = command.Number(flag);
    if (!value) return value;
    return ToMilliseconds(*value, unit_, format_);
}

std::string RecordingDevice::unitsOf(std::int64_t ms) const {
    return std::to_string(FromMilliseconds(ms, unit_, format_));
}

ErrorCode RecordingDevice::Pause() {
    if (paused_) return err::kNone;
    if (!recorder_.Recording()) return err::kNonapplicableFunction;
    paused_ = true;
    return kept(recorder_.Stop());
}

ErrorCode RecordingDevice::Resume() {
    if (recorder_.Recording()) return err::kNone;
    if (!paused_) return err::kNonapplicableFunction;
    const std::int64_t at = recorder_.PositionMs();
    std::optional<std::int64_t> length;
    if (endMs_) length = std::max<std::int64_t>(*endMs_ - at, 0);
    if (!recorder_.Start(at, length, overwrite_)) return err::kFileWrite;
    paused_ = false;
    return err::kNone;
}

ErrorCode RecordingDevice::Stop() {
    paused_ = false;
    return kept(recorder_.Stop());
}

ErrorCode RecordingDevice::Seek(const Command& command) {
    std::int64_t target = 0;
    if (command.Has(Flag::ToEnd)) target = LengthMs();
    if (const auto to = msOf(command, Flag::To)) target = *to;
    if (!inRange(target)) return err::kOutOfRange;
    paused_ = false;
    return kept(recorder_.Seek(target));
}

// From the position (or "from"), up to "to" or until stopped. "to" may lie past the end: the
// recording makes the room.
ErrorCode RecordingDevice::Record(const Command& command) {
    const std::int64_t from = msOf(command, Flag::From).value_or(PositionMs());
    const auto to = msOf(command, Flag::To);
    if (!inRange(from) || (to && *to < from)) return err::kOutOfRange;
    overwrite_ = command.Has(Flag::Overwrite);
    endMs_ = to;
    if (!recorder_.Start(from, to ? std::optional(*to - from) : std::nullopt, overwrite_))
        return err::kFileWrite;
    paused_ = false;
    started_ = true;
    return err::kNone;
}

// From the position (or "from") to the end (or "to").
ErrorCode RecordingDevice::Delete(const Command& command) {
    if (recorder_.Recording()) return err::kNonapplicableFunction;
    const std::int64_t from = msOf(command, Flag::From).value_or(PositionMs());
    const std::int64_t to = msOf(command, Flag::To).value_or(LengthMs());
    if (!inRange(from) || !inRange(to) || to < from) return err::kOutOfRange;
    paused_ = false;
    return kept(recorder_.Delete(from, to));
}

void RecordingDevice::SetOnFinished(std::function<void()> callback) {
    recorder_.SetOnFinished(std::move(callback));
}

// The format is fixed once recording has begun: what was captured is saved in it.
ErrorCode RecordingDevice::SetFormat(const Command& command) {
    if (started_) return err::kNonapplicableFunction;
    WaveFormat format = format_;
    format.samplesPerSec = command.Number(Flag::SamplesPerSec).value_or(format.samplesPerSec);
    format.channels = command.Number(Flag::Channels).value_or(format.channels);
    format.bitsPerSample = command.Number(Flag::BitsPerSample).value_or(format.bitsPerSample);
    if (const auto tag = command.Word(Flag::FormatTag)) {
        if (!EqualsIgnoringCase(*tag, "pcm") && *tag != std::to_string(kPcmFormatTag))
            return err::kOutOfRange;
    }
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
    if (!file || !isNewOrRegularFile(*file)) return err::kFileNotSaved;
    std::string reason;
    const bool saved = recorder_.Save(*file, static_cast<int>(format_.samplesPerSec),
                                      static_cast<int>(format_.channels),
                                      static_cast<int>(format_.bitsPerSample), &reason);
    return saved ? err::kNone : err::kFileWrite;
}

// Ready to record at once: a resume starts the capture.
ErrorCode RecordingDevice::Cue(const Command& command) {
    if (command.Has(Flag::Output) || command.Has(Flag::To)) return err::kUnsupportedFunction;
    if (recorder_.Recording()) return err::kNone;
    paused_ = true;
    endMs_.reset();
    return err::kNone;
}

ErrorCode RecordingDevice::SetTimeFormat(std::string_view format) {
    const auto unit = ParseWaveTime(format);
    if (!unit) return err::kBadConstant;
    unit_ = *unit;
    return err::kNone;
}

// The loudest recent sample in the scale of the format's samples; in stereo the left channel
// in the low word and the right in the high word.
std::string RecordingDevice::level() const {
    const double scale = format_.bitsPerSample == 8 ? 127 : 32767;
    const auto [left, right] = recorder_.Level();
    const auto scaled = [scale](float peak) { return std::int64_t(std::lround(peak * scale)); };
    if (format_.channels == 1) return std::to_string(scaled(std::max(left, right)));
    return std::to_string(scaled(left) | scaled(right) << 16);
}

Outcome RecordingDevice::Status(const Command& command) const {
    if (command.Number(Flag::Track).value_or(1) != 1) return err::kOutOfRange;
    if (command.Has(Flag::Position)) return Outcome::Reply(unitsOf(PositionMs()));
    if (command.Has(Flag::Length)) return Outcome::Reply(unitsOf(LengthMs()));
    if (command.Has(Flag::Level)) return Outcome::Reply(level());
    if (command.Has(Flag::TimeFormatItem)) return Outcome::Reply(std::string(NameOf(unit_)));
    if (auto answer = WaveFormatStatus(format_, command)) return std::move(*answer);
    return Device::Status(command);
}

std::string_view RecordingDevice::Mode() const {
    if (recorder_.Recording()) return "recording";
    return paused_ ? "paused" : "stopped";
}

}  // namespace mci
