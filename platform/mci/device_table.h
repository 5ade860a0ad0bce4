#pragma once
// The open devices by name (alias, or element when opened without one), letter case ignored.
// Its lock guards only the table: it is never held while a device works or waits.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/mci/device.h"
#include "platform/mci/device_types.h"
#include "platform/mci/notification.h"

namespace mci {

struct OpenDevice {
    OpenDevice(std::int32_t id, std::unique_ptr<Device> opened);

    std::string name;                  // as the opening command spelled it
    const DeviceType* type = nullptr;  // never null once in the table
    std::string file;                  // the element of a compound device; empty if none

    // Declared before the device so that it outlives it: the device's end callback uses it.
    std::shared_ptr<Notification> notification;
    std::unique_ptr<Device> device;
    std::mutex control;  // one command at a time on this device
};

class DeviceTable {
  public:
    bool Contains(const std::string& name) const;
    std::size_t Count() const;
    // False when the name is taken already.
    bool Add(const std::string& name, std::shared_ptr<OpenDevice> device);
    std::shared_ptr<OpenDevice> Find(const std::string& name) const;
    std::shared_ptr<OpenDevice> Remove(const std::string& name);
    // In the order they were opened.
    std::vector<std::shared_ptr<OpenDevice>> All() const;
    std::vector<std::shared_ptr<OpenDevice>> RemoveAll();

  private:
    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<OpenDevice>> devices_;
};

}  // namespace mci
