#include "platform/mci/device_commands.h"

#include "platform/mci/save_target.h"

namespace mci {

namespace {

bool setsFormat(const Command& command) {
    using enum Flag;
    for (const Flag flag :
         {SamplesPerSec, Channels, BitsPerSample, Alignment, BytesPerSec, FormatTag})
        if (command.Has(flag)) return true;
    return false;
}

ErrorCode set(Device& device, const Command& command) {
    if (command.Has(Flag::DoorOpen) || command.Has(Flag::DoorClosed))
        if (const ErrorCode error = device.SetDoor(command.Has(Flag::DoorOpen))) return error;
    if (const auto format = command.Word(Flag::TimeFormat))
        if (const ErrorCode error = device.SetTimeFormat(*format)) return error;
    return setsFormat(command) ? device.SetFormat(command) : err::kNone;
}

Outcome status(const Device& device, const Command& command) {
    if (command.Has(Flag::Mode)) return Outcome::Reply(std::string(device.Mode()));
    if (command.Has(Flag::Ready)) return Outcome::Reply(device.Ready() ? "true" : "false");
    if (command.Has(Flag::WindowHandle)) return err::kNoWindow;  // sound devices have none
    return device.Status(command);
}

// A refused save says what is wrong with the path where it can tell.
Outcome saved(ErrorCode error, const std::string& path) {
    if (error != err::kFileNotSaved) return error;
    const std::string cause = WhyNotSaveable(path);
    if (cause.empty()) return error;
    return Outcome::Failed(error, "The recording could not be saved: " + cause);
}

}  // namespace

Outcome RunOnDevice(Device& device, const Command& command) {
    switch (command.verb) {
        case Verb::Play:
            return {device.Play(command)};
        case Verb::Pause:
            return {device.Pause()};
        case Verb::Resume:
            return {device.Resume()};
        case Verb::Stop:
            return {device.Stop()};
        case Verb::Seek:
            return {device.Seek(command)};
        case Verb::Set:
            return {set(device, command)};
        case Verb::Status:
            return status(device, command);
        case Verb::Record:
            return {device.Record(command)};
        case Verb::Save:
            return saved(device.Save(command.element), command.element);
        case Verb::Cue:
            return {device.Cue(command)};
        case Verb::Put:
        case Verb::Window:
        case Verb::Where:
            return {err::kNoWindow};
        case Verb::Delete:
            return {device.Delete(command)};
        case Verb::Open:
        case Verb::Close:
        case Verb::Capability:
        case Verb::Info:
        case Verb::Sysinfo:
            break;
    }
    return {err::kUnrecognizedCommand};
}

}  // namespace mci
