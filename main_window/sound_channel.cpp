#include "main_window/sound_channel.h"

#include <algorithm>

bool SoundChannel::Accepts(const std::string& name) const {
    const std::string ending = UCase(name.size() > 4 ? name.substr(name.size() - 4) : name);
    return std::ranges::find(AcceptedEndings, ending) != AcceptedEndings.end();
}
