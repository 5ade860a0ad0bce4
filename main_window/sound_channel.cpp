#include "main_window/sound_channel.h"

#include <algorithm>

bool HasAcceptedEnding(const std::string& name, const std::vector<std::string>& endings) {
    const std::string ending = UCase(name.size() > 4 ? name.substr(name.size() - 4) : name);
    return std::ranges::find(endings, ending) != endings.end();
}
