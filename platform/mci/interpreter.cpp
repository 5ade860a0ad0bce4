#include "platform/mci/interpreter.h"

#include <filesystem>
#include <new>
#include <system_error>

#include "platform/drives.h"
#include "platform/mci/device_commands.h"
#include "platform/mci/device_factory.h"
#include "platform/mci/error_table.h"
#include "platform/mci/reply_buffer.h"
#include "platform/mci/service_queries.h"
#include "platform/mci/tokens.h"

namespace mci {

namespace {

// The id "all" is reported with in a notification.
constexpr std::int32_t kAllDevicesId = -1;

// Far more devices than any program keeps open; a runaway loop of opens stops here instead
// of exhausting memory.
constexpr std::size_t kMostOpenDevices = 4096;

bool isExistingFile(const std::string& path) {
    const auto file = drives::Resolve(path);
    std::error_code error;
    return file && std::filesystem::is_regular_file(*file, error);
}

// A name that is no device but has a folder or a file's extension in it: the user meant a file.
bool looksLikeFile(const std::string& name) {
    return name.find_first_of("\\/") != std::string::npos ||
           std::filesystem::path(name).has_extension();
}

Outcome notFound(const std::string& file) {
    return Outcome::Failed(err::kFileNotFound, "The file named cannot be found: " + file);
}

// Commands that end a pending play: its notification is aborted rather than superseded.
// It is settled before the command runs, so that a play armed next cannot be mistaken for
// it; a command that is then refused (a seek out of range) has still aborted it.
bool interruptsPlay(Verb verb) {
    return verb == Verb::Play || verb == Verb::Stop || verb == Verb::Seek || verb == Verb::Close ||
           verb == Verb::Record;
}

void settlePending(OpenDevice& target, const Command& command) {
    if (interruptsPlay(command.verb))
        target.notification->Settle(MCI_NOTIFY_ABORTED);
    else if (command.Has(Flag::Notify))
        target.notification->Settle(MCI_NOTIFY_SUPERSEDED);
}

void stopDevice(OpenDevice& target, const Command& command) {
    std::lock_guard lock(target.control);
    settlePending(target, command);
    target.device->Stop();
}

}  // namespace

// Running out of memory, or of the threads a device needs, fails the command that met it
// rather than the program. MCI's table has no error of its own for it: the nearest says the
// device could not do its work.
Outcome Interpreter::executeGuarded(const char* command, std::int32_t hwndCallback) {
    try {
        return command ? Execute(command, hwndCallback) : Outcome{err::kMissingCommandString};
    } catch (const std::bad_alloc&) {
        return err::kHardware;
    } catch (const std::system_error&) {
        return err::kHardware;
    }
}

std::uint32_t Interpreter::SendString(const char* command, char* returnString,
                                      std::uint32_t returnLength, std::int32_t hwndCallback) {
    const Outcome outcome = executeGuarded(command, hwndCallback);
    WriteReply(outcome.error == err::kNone ? outcome.reply : std::string_view{}, returnString,
               returnLength);
    if (outcome.error != err::kNone) keepDetail(outcome);
    return outcome.error;
}

void Interpreter::keepDetail(const Outcome& outcome) {
    const std::lock_guard lock(detailsLock_);
    if (outcome.detail.empty())
        details_.erase(outcome.error);
    else
        details_[outcome.error] = outcome.detail;
}

std::int32_t Interpreter::GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) {
    std::string text(ErrorText(error));
    if (text.empty() || !buffer || length == 0) return 0;
    {
        const std::lock_guard lock(detailsLock_);
        if (const auto found = details_.find(error); found != details_.end()) text = found->second;
    }
    WriteReply(text, buffer, length);
    return 1;
}

Outcome Interpreter::Execute(std::string_view text, std::int32_t window) {
    const ParseResult parsed = ParseCommand(text, isExistingFile);
    if (parsed.error != err::kNone) return parsed.error;
    const Command& command = parsed.command;
    if (command.verb == Verb::Open) return open(command, window);
    if (command.verb == Verb::Sysinfo) return Sysinfo(devices_, command);
    if (EqualsIgnoringCase(command.device, "all")) {
        if (command.verb == Verb::Close) return closeAll(command, window);
        if (command.verb == Verb::Stop) return stopAll(command, window);
        return err::kCannotUseAll;
    }
    if (command.verb == Verb::Close) return close(command.device, command, window);
    if (const std::shared_ptr<OpenDevice> target = devices_.Find(command.device))
        return onDevice(*target, command, window);
    if (command.verb == Verb::Capability)
        if (const DeviceType* type = FindDeviceType(command.device))
            return Capability(*type, command);
    if (!isExistingFile(command.device))
        return looksLikeFile(command.device) ? notFound(command.device)
                                             : Outcome(err::kInvalidDeviceName);
    return autoOpened(command, window);
}

// A file named where a device belongs is opened for the command. It stays open while it
// plays, until "close" names it; after any other command it is closed again.
Outcome Interpreter::autoOpened(const Command& command, std::int32_t window) {
    Command openCommand;
    openCommand.device = openCommand.element = command.device;
    const Outcome opened = open(openCommand, 0);
    if (opened.error != err::kNone) return opened;
    const std::shared_ptr<OpenDevice> target = devices_.Find(command.device);
    if (!target) return err::kInvalidDeviceName;  // closed by another thread meanwhile
    const Outcome outcome = onDevice(*target, command, window);
    if (command.verb != Verb::Play || outcome.error != err::kNone)
        close(command.device, Command{}, 0);
    return outcome;
}

Outcome Interpreter::open(const Command& command, std::int32_t window) {
    const auto alias = command.Word(Flag::Alias);
    const std::string name = alias.value_or(command.device);
    if (EqualsIgnoringCase(name, "all")) return err::kCannotUseAll;
    const ErrorCode taken = alias ? err::kDuplicateAlias : err::kDeviceOpen;
    if (devices_.Contains(name)) return taken;
    if (devices_.Count() >= kMostOpenDevices) return err::kCannotLoadDriver;
    OpenResult made = MakeDevice(command);
    if (made.error == err::kFileNotFound) return notFound(command.element);
    if (made.error != err::kNone) return Outcome::Failed(made.error, std::move(made.detail));
    const std::int32_t id = ++lastId_;
    auto opened = std::make_shared<OpenDevice>(id, std::move(made.device));
    opened->name = name;
    opened->type = made.type;
    opened->file = command.element;
    opened->device->SetOnFinished(
        [notification = opened->notification] { notification->Settle(MCI_NOTIFY_SUCCESSFUL); });
    // Another thread may have taken the name while the file loaded.
    if (!devices_.Add(name, opened)) return taken;
    if (command.Has(Flag::Notify)) opened->notification->Post(window, MCI_NOTIFY_SUCCESSFUL);
    return Outcome::Reply(std::to_string(id));
}

Outcome Interpreter::close(const std::string& name, const Command& command, std::int32_t window) {
    const std::shared_ptr<OpenDevice> target = devices_.Remove(name);
    if (!target) return err::kInvalidDeviceName;
    stopDevice(*target, command);
    if (command.Has(Flag::Notify)) target->notification->Post(window, MCI_NOTIFY_SUCCESSFUL);
    return {};
}

Outcome Interpreter::closeAll(const Command& command, std::int32_t window) {
    for (const auto& target : devices_.RemoveAll()) stopDevice(*target, command);
    if (command.Has(Flag::Notify)) Notification(kAllDevicesId).Post(window, MCI_NOTIFY_SUCCESSFUL);
    return {};
}

Outcome Interpreter::stopAll(const Command& command, std::int32_t window) {
    for (const auto& target : devices_.All()) stopDevice(*target, command);
    if (command.Has(Flag::Notify)) Notification(kAllDevicesId).Post(window, MCI_NOTIFY_SUCCESSFUL);
    return {};
}

Outcome Interpreter::onDevice(OpenDevice& target, const Command& command, std::int32_t window) {
    const bool notify = command.Has(Flag::Notify);
    if (command.verb == Verb::Capability || command.verb == Verb::Info) {
        Outcome answer =
            command.verb == Verb::Info ? Info(target, command) : Capability(*target.type, command);
        if (notify && answer.error == err::kNone)
            target.notification->Post(window, MCI_NOTIFY_SUCCESSFUL);
        return answer;
    }
    // Only a play or a record runs on after it returns; every other command is done then.
    const bool runs = command.verb == Verb::Play || command.verb == Verb::Record;
    Outcome outcome;
    {
        std::lock_guard lock(target.control);
        settlePending(target, command);
        // Armed before the run starts, so that a very short one cannot end unnoticed.
        if (runs && notify) target.notification->Arm(window);
        outcome = RunOnDevice(*target.device, command);
        if (runs && notify && outcome.error != err::kNone) target.notification->Disarm();
    }
    if (outcome.error != err::kNone) return outcome;
    if (runs && command.Has(Flag::Wait)) target.device->WaitWhileRunning();
    if (notify && !runs) target.notification->Post(window, MCI_NOTIFY_SUCCESSFUL);
    return outcome;
}

}  // namespace mci
