#include "platform/core/handed_out_names.h"

#include <deque>
#include <mutex>
#include <utility>

#include "platform/core/ignoring_case.h"

namespace drives {

namespace {

constexpr std::size_t kKept = 256;

struct HandedOut {
    std::filesystem::path folder;
    std::u32string shortName;  // case-folded
    std::string name;
};

std::mutex mutex;
std::deque<HandedOut> handedOut;  // newest first

}  // namespace

void RememberHandedOut(const std::filesystem::path& folder, const std::string& shortName,
                       const std::string& name) {
    std::lock_guard lock(mutex);
    handedOut.push_front({folder, text::Folded(shortName), name});
    if (handedOut.size() > kKept) handedOut.pop_back();
}

std::optional<std::string> HandedOutName(const std::filesystem::path& folder,
                                         const std::string& shortName) {
    const std::u32string folded = text::Folded(shortName);
    std::lock_guard lock(mutex);
    for (const HandedOut& entry : handedOut) {
        if (entry.folder == folder && entry.shortName == folded) return entry.name;
    }
    return std::nullopt;
}

}  // namespace drives
