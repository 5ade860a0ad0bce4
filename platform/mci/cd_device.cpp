#include "platform/mci/cd_device.h"

#include <algorithm>

namespace mci {

namespace {

// The clip's time of a sector, rounded up so that reading it back gives the same sector.
std::int64_t clipMs(std::int64_t sector) {
    return (sector * 1000 + audio::kCdSectorsPerSecond - 1) / audio::kCdSectorsPerSecond;
}

}  // namespace

CdDevice::CdDevice(std::string source, std::shared_ptr<const audio::Clip> disc, audio::CdToc toc)
    : source_(std::move(source)), clip_(std::move(disc)), toc_(std::move(toc)) {}

std::int64_t CdDevice::sector() const {
    return clip_.PositionMs() * audio::kCdSectorsPerSecond / 1000;
}

ErrorCode CdDevice::Play(const Command& command) {
    if (trayOpen_) return err::kHardware;
    Command translated = command;
    for (const Flag flag : {Flag::From, Flag::To}) {
        const auto value = command.Number(flag);
        if (!value) continue;
        const auto target = cd::ToSector(*value, format_, toc_);
        if (!target) return err::kOutOfRange;
        translated.flags[flag] = clipMs(*target);
    }
    if (!command.Has(Flag::From) && sector() < toc_.tracks.front().firstSector)
        translated.flags[Flag::From] = clipMs(toc_.tracks.front().firstSector);
    return clip_.Play(translated);
}

ErrorCode CdDevice::Seek(const Command& command) {
    if (trayOpen_) return err::kHardware;
    std::int64_t target = toc_.tracks.front().firstSector;
    if (command.Has(Flag::ToEnd)) target = toc_.leadOut;
    if (const auto to = command.Number(Flag::To)) {
        const auto sector = cd::ToSector(*to, format_, toc_);
        if (!sector) return err::kOutOfRange;
        target = *sector;
    }
    Command seek;
    seek.verb = Verb::Seek;
    seek.flags[Flag::To] = clipMs(target);
    return clip_.Seek(seek);
}

ErrorCode CdDevice::SetTimeFormat(std::string_view format) {
    const auto parsed = cd::ParseTimeFormat(format);
    if (!parsed) return err::kBadConstant;
    format_ = *parsed;
    return err::kNone;
}

ErrorCode CdDevice::SetDoor(bool open) {
    switch (audio::MoveCdTray(source_, open)) {
        case audio::TrayMove::Done:
            break;
        case audio::TrayMove::NoTray:
            return err::kUnsupportedFunction;
        case audio::TrayMove::Refused:
            return err::kHardware;
    }
    if (open) clip_.Stop();
    trayOpen_ = open;
    return err::kNone;
}

const audio::CdTrack* CdDevice::trackNumbered(const Command& command) const {
    const auto found =
        std::ranges::find(toc_.tracks, *command.Number(Flag::Track), &audio::CdTrack::number);
    return found == toc_.tracks.end() ? nullptr : &*found;
}

Outcome CdDevice::position(const Command& command) const {
    if (command.Has(Flag::Track)) {
        const audio::CdTrack* track = trackNumbered(command);
        if (!track) return err::kOutOfRange;
        return Outcome::Reply(cd::PositionText(track->firstSector, format_, toc_));
    }
    return Outcome::Reply(cd::PositionText(sector(), format_, toc_));
}

Outcome CdDevice::length(const Command& command) const {
    if (command.Has(Flag::Track)) {
        const audio::CdTrack* track = trackNumbered(command);
        if (!track) return err::kOutOfRange;
        return Outcome::Reply(cd::LengthText(track->sectors, format_));
    }
    return Outcome::Reply(cd::LengthText(toc_.leadOut - toc_.tracks.front().firstSector, format_));
}

Outcome CdDevice::Status(const Command& command) const {
    if (command.Has(Flag::MediaPresent)) return Outcome::Reply(trayOpen_ ? "false" : "true");
    if (trayOpen_) return err::kHardware;
    if (command.Has(Flag::Position)) return position(command);
    if (command.Has(Flag::Length)) return length(command);
    if (command.Has(Flag::TimeFormatItem)) return Outcome::Reply(std::string(cd::NameOf(format_)));
    if (command.Has(Flag::NumberOfTracks))
        return Outcome::Reply(std::to_string(toc_.tracks.size()));
    if (command.Has(Flag::CurrentTrack))
        return Outcome::Reply(std::to_string(cd::TrackAt(sector(), toc_).number));
    if (command.Has(Flag::StartPosition))
        return Outcome::Reply(cd::PositionText(toc_.tracks.front().firstSector, format_, toc_));
    return Device::Status(command);
}

std::int64_t CdDevice::PositionMs() const {
    return cd::Milliseconds(cd::kLeadInSectors + sector());
}

std::int64_t CdDevice::LengthMs() const {
    return cd::Milliseconds(toc_.leadOut - toc_.tracks.front().firstSector);
}

}  // namespace mci
