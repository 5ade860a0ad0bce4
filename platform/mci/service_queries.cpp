#include "platform/mci/service_queries.h"

#include <algorithm>

#include "platform/mci/tokens.h"

namespace mci {

namespace {

Outcome yesNo(bool value) {
    return Outcome::Reply(value ? "true" : "false");
}

Outcome number(std::size_t value) {
    return Outcome::Reply(std::to_string(value));
}

// The Nth (from 1) of a list, or out of range.
template <typename List, typename Name>
Outcome nth(const List& list, std::int64_t index, Name name) {
    if (index < 1 || index > static_cast<std::int64_t>(list.size())) return err::kOutOfRange;
    return Outcome::Reply(std::string(name(list[static_cast<std::size_t>(index - 1)])));
}

std::vector<std::shared_ptr<OpenDevice>> openOfType(const DeviceTable& devices,
                                                    const DeviceType* type) {
    std::vector<std::shared_ptr<OpenDevice>> open = devices.All();
    if (type) std::erase_if(open, [type](const auto& device) { return device->type != type; });
    return open;
}

Outcome openDevices(const DeviceTable& devices, const DeviceType* type, const Command& command) {
    const auto open = openOfType(devices, type);
    if (command.Has(Flag::Quantity)) return number(open.size());
    return nth(open, *command.Number(Flag::Name), [](const auto& device) { return device->name; });
}

// Each type has one device of its own, named by its type word.
Outcome installed(std::span<const DeviceType> types, const Command& command) {
    if (command.Has(Flag::Quantity)) return number(types.size());
    return nth(types, *command.Number(Flag::Name),
               [](const DeviceType& type) { return type.name; });
}

}  // namespace

Outcome Capability(const DeviceType& type, const Command& command) {
    using enum Flag;
    if (command.Has(CanPlay)) return yesNo(type.canPlay);
    if (command.Has(CanRecord)) return yesNo(type.canRecord);
    if (command.Has(CanSave)) return yesNo(type.canSave);
    if (command.Has(CanEject)) return yesNo(type.canEject);
    if (command.Has(UsesFiles) || command.Has(CompoundDevice)) return yesNo(type.usesFiles);
    if (command.Has(HasAudio)) return yesNo(true);
    if (command.Has(HasVideo)) return yesNo(false);
    if (command.Has(DeviceType)) return Outcome::Reply(std::string(type.name));
    if (command.Has(Inputs)) return number(static_cast<std::size_t>(type.inputs));
    return number(static_cast<std::size_t>(type.outputs));
}

Outcome Info(const OpenDevice& device, const Command& command) {
    if (command.Has(Flag::Product)) return Outcome::Reply(std::string(device.type->product));
    if (!device.type->usesFiles) return err::kUnsupportedFunction;
    return Outcome::Reply(device.file);
}

Outcome Sysinfo(const DeviceTable& devices, const Command& command) {
    const bool all = EqualsIgnoringCase(command.device, "all");
    const DeviceType* type = FindDeviceType(command.device);
    if (command.Has(Flag::InstallName)) {
        if (all) return err::kCannotUseAll;
        if (type) return Outcome::Reply(std::string(type->name));
        const auto open = devices.Find(command.device);
        if (!open) return err::kInvalidDeviceName;
        return Outcome::Reply(std::string(open->type->name));
    }
    if (!all && !type) return err::kInvalidDeviceName;
    if (command.Has(Flag::OpenOnly)) return openDevices(devices, type, command);
    return installed(all ? InstalledTypes() : std::span(type, 1), command);
}

}  // namespace mci
