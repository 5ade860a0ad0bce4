#include "platform/mci/command.h"

namespace mci {

namespace {

template <typename T>
std::optional<T> valueOf(const std::map<Flag, FlagValue>& flags, Flag flag) {
    const auto found = flags.find(flag);
    if (found == flags.end()) return std::nullopt;
    if (const T* value = std::get_if<T>(&found->second)) return *value;
    return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> Command::Number(Flag flag) const {
    return valueOf<std::int64_t>(flags, flag);
}

std::optional<std::string> Command::Word(Flag flag) const {
    return valueOf<std::string>(flags, flag);
}

std::optional<Rect> Command::Area(Flag flag) const {
    return valueOf<Rect>(flags, flag);
}

}  // namespace mci
