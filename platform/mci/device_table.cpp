#include "platform/mci/device_table.h"

#include <algorithm>

#include "platform/mci/tokens.h"

namespace mci {

OpenDevice::OpenDevice(std::int32_t id, std::unique_ptr<Device> opened)
    : notification(std::make_shared<Notification>(id)), device(std::move(opened)) {}

bool DeviceTable::Contains(const std::string& name) const {
    std::lock_guard lock(mutex_);
    return devices_.contains(ToLower(name));
}

std::size_t DeviceTable::Count() const {
    std::lock_guard lock(mutex_);
    return devices_.size();
}

bool DeviceTable::Add(const std::string& name, std::shared_ptr<OpenDevice> device) {
    std::lock_guard lock(mutex_);
    return devices_.try_emplace(ToLower(name), std::move(device)).second;
}

std::shared_ptr<OpenDevice> DeviceTable::Find(const std::string& name) const {
    std::lock_guard lock(mutex_);
    const auto found = devices_.find(ToLower(name));
    return found == devices_.end() ? nullptr : found->second;
}

std::shared_ptr<OpenDevice> DeviceTable::Remove(const std::string& name) {
    std::lock_guard lock(mutex_);
    const auto found = devices_.find(ToLower(name));
    if (found == devices_.end()) return nullptr;
    auto device = std::move(found->second);
    devices_.erase(found);
    return device;
}

std::vector<std::shared_ptr<OpenDevice>> DeviceTable::All() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<OpenDevice>> all;
    for (const auto& [name, device] : devices_) all.push_back(device);
    std::ranges::sort(all, {}, [](const auto& device) { return device->notification->DeviceId(); });
    return all;
}

std::vector<std::shared_ptr<OpenDevice>> DeviceTable::RemoveAll() {
    std::map<std::string, std::shared_ptr<OpenDevice>> taken;
    {
        std::lock_guard lock(mutex_);
        taken.swap(devices_);
    }
    std::vector<std::shared_ptr<OpenDevice>> all;
    for (auto& [name, device] : taken) all.push_back(std::move(device));
    return all;
}

}  // namespace mci
