// A file that has played to its end is stopped there, like one stopped by hand: pause and
// resume are refused (nothing is playing or paused), "play" starts from the end and finishes
// at once, and "seek ... to start" followed by "play" plays it again.
#include "platform/mci/clip_device.h"

namespace mci {

ClipDevice::ClipDevice(std::shared_ptr<const audio::Clip> clip) : player_(std::move(clip)) {}

ErrorCode ClipDevice::Play(const Command& command) {
    if (command.Has(Flag::Fullscreen)) return err::kUnsupportedFunction;
    const auto from = command.Number(Flag::From);
    const auto to = command.Number(Flag::To);
    if ((from && !inRange(*from)) || (to && !inRange(*to))) return err::kOutOfRange;
    if (to && *to < from.value_or(player_.PositionMs())) return err::kOutOfRange;
    player_.Play(from, to, command.Has(Flag::Repeat));
    return err::kNone;
}

ErrorCode ClipDevice::Pause() {
    switch (player_.State()) {
        case audio::PlayState::Playing:
            player_.Pause();
            return err::kNone;
        case audio::PlayState::Paused:
            return err::kNone;
        case audio::PlayState::Stopped:
            return err::kNonapplicableFunction;
    }
    return err::kNonapplicableFunction;
}

ErrorCode ClipDevice::Resume() {
    switch (player_.State()) {
        case audio::PlayState::Paused:
            player_.Resume();
            return err::kNone;
        case audio::PlayState::Playing:
            return err::kNone;
        case audio::PlayState::Stopped:
            return err::kNonapplicableFunction;
    }
    return err::kNonapplicableFunction;
}

ErrorCode ClipDevice::Stop() {
    player_.Stop();
    return err::kNone;
}

ErrorCode ClipDevice::Seek(const Command& command) {
    std::int64_t target = 0;
    if (command.Has(Flag::ToEnd)) target = player_.LengthMs();
    if (const auto to = command.Number(Flag::To)) target = *to;
    if (!inRange(target)) return err::kOutOfRange;
    player_.Seek(target);
    return err::kNone;
}

std::string_view ClipDevice::Mode() const {
    switch (player_.State()) {
        case audio::PlayState::Playing:
            return "playing";
        case audio::PlayState::Paused:
            return "paused";
        case audio::PlayState::Stopped:
            return "stopped";
    }
    return "stopped";
}

std::int64_t ClipDevice::PositionMs() const {
    return player_.PositionMs();
}
std::int64_t ClipDevice::LengthMs() const {
    return player_.LengthMs();
}

void ClipDevice::WaitWhilePlaying() const {
    player_.WaitWhilePlaying();
}

void ClipDevice::SetOnFinished(std::function<void()> callback) {
    player_.SetOnFinished(std::move(callback));
}

}  // namespace mci
