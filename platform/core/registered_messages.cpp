// Registered window messages: one number per name, letter case ignored, for the whole process.
#include <map>
#include <mutex>
#include <string>

#include "platform/user_interface.h"
#include "platform/vb_types.h"

namespace {

constexpr std::uint32_t FirstRegistered = 0xC000;
constexpr std::uint32_t LastRegistered = 0xFFFF;

struct Registered {
    std::mutex mutex;
    std::map<std::string, std::uint32_t> numbers;  // by upper-cased name
    std::uint32_t next = FirstRegistered;
};

Registered& registered() {
    static Registered instance;
    return instance;
}

}  // namespace

std::uint32_t RegisterWindowMessageA(const char* lpString) {
    if (lpString == nullptr || *lpString == '\0') return 0;
    auto& r = registered();
    std::lock_guard lock(r.mutex);
    const auto [entry, added] = r.numbers.try_emplace(UCase(lpString), r.next);
    if (!added) return entry->second;
    if (r.next > LastRegistered) {
        r.numbers.erase(entry);
        return 0;
    }
    return r.next++;
}
