// A file that has played to its end is stopped there, like one stopped by hand: pause and
// resume are refused (nothing is playing or paused), "play" starts from the end and finishes
// at once, and "seek ... to start" followed by "play" plays it again.
// Play and resume are refused with a hardware error when the output has no room for another
// sound or has stopped taking commands, rather than answer "playing" over silence.
#include "platform/mci/clip_device.h"

namespace mci {

ClipDevice::ClipDevice(std::shared_ptr<const audio::Clip> clip, std::optional<WaveFormat> wave)
    : player_(std::move(clip)), wave_(wave) {}

std::optional<std::int64_t> ClipDevice::msOf(const Command& command, Flag flag) const {
    const auto value = command.Number(flag);
    if (!value || !wave_) return value;
    return ToMilliseconds(*value, unit_, *wave_);
}

std::string ClipDevice::unitsOf(std::int64_t ms) const {
    return std::to_string(wave_ ? FromMilliseconds(ms, unit_, *wave_) : ms);
}

ErrorCode ClipDevice::Play(const Command& command) {
    if (command.Has(Flag::Fullscreen)) return err::kUnsupportedFunction;
    const auto from = msOf(command, Flag::From);
    const auto to = msOf(command, Flag::To);
    if ((from && !inRange(*from)) || (to && !inRange(*to))) return err::kOutOfRange;
    if (to && *to < from.value_or(player_.PositionMs())) return err::kOutOfRange;
    if (!player_.Play(from, to, command.Has(Flag::Repeat))) return err::kHardware;
    cued_ = false;
    return err::kNone;
}

ErrorCode ClipDevice::Pause() {
    switch (player_.State()) {
        case audio::PlayState::Playing:
            return player_.Pause() ? err::kNone : err::kHardware;
        case audio::PlayState::Paused:
            return err::kNone;
        case audio::PlayState::Stopped:
            return cued_ ? err::kNone : err::kNonapplicableFunction;
    }
    return err::kNonapplicableFunction;
}

ErrorCode ClipDevice::Resume() {
    if (cued_ && player_.State() == audio::PlayState::Stopped) {
        if (!player_.Play(std::nullopt, std::nullopt, false)) return err::kHardware;
        cued_ = false;
        return err::kNone;
    }
    switch (player_.State()) {
        case audio::PlayState::Paused:
            return player_.Resume() ? err::kNone : err::kHardware;
        case audio::PlayState::Playing:
            return err::kNone;
        case audio::PlayState::Stopped:
            return err::kNonapplicableFunction;
    }
    return err::kNonapplicableFunction;
}

ErrorCode ClipDevice::Stop() {
    if (!player_.Stop()) return err::kHardware;
    cued_ = false;
    return err::kNone;
}

ErrorCode ClipDevice::Seek(const Command& command) {
    std::int64_t target = 0;
    if (command.Has(Flag::ToEnd)) target = player_.LengthMs();
    if (const auto to = msOf(command, Flag::To)) target = *to;
    if (!inRange(target)) return err::kOutOfRange;
    if (!player_.Seek(target)) return err::kHardware;
    cued_ = false;
    return err::kNone;
}

// A playing file is ready already; a stopped one is held where it is (or at "to").
ErrorCode ClipDevice::Cue(const Command& command) {
    if (command.Has(Flag::Input)) return err::kUnsupportedFunction;
    if (player_.State() != audio::PlayState::Stopped) return err::kNone;
    if (command.Has(Flag::To))
        if (const ErrorCode error = Seek(command)) return error;
    cued_ = true;
    return err::kNone;
}

ErrorCode ClipDevice::SetTimeFormat(std::string_view format) {
    if (!wave_) return Device::SetTimeFormat(format);
    const auto unit = ParseWaveTime(format);
    if (!unit) return err::kBadConstant;
    unit_ = *unit;
    return err::kNone;
}

Outcome ClipDevice::Status(const Command& command) const {
    if (command.Number(Flag::Track).value_or(1) != 1) return err::kOutOfRange;
    if (command.Has(Flag::Position)) return Outcome::Reply(unitsOf(PositionMs()));
    if (command.Has(Flag::Length)) return Outcome::Reply(unitsOf(LengthMs()));
    if (command.Has(Flag::TimeFormatItem)) return Outcome::Reply(std::string(NameOf(unit_)));
    if (wave_)
        if (auto answer = WaveFormatStatus(*wave_, command)) return std::move(*answer);
    return Device::Status(command);
}

std::string_view ClipDevice::Mode() const {
    switch (player_.State()) {
        case audio::PlayState::Playing:
            return "playing";
        case audio::PlayState::Paused:
            return "paused";
        case audio::PlayState::Stopped:
            return cued_ ? "paused" : "stopped";
    }
    return "stopped";
}

std::int64_t ClipDevice::PositionMs() const {
    return player_.PositionMs();
}
std::int64_t ClipDevice::LengthMs() const {
    return player_.LengthMs();
}

void ClipDevice::WaitWhileRunning() const {
    player_.WaitWhilePlaying();
}

void ClipDevice::SetOnFinished(std::function<void()> callback) {
    player_.SetOnFinished(std::move(callback));
}

}  // namespace mci
