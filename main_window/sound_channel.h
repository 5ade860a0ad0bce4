#pragma once
// One playback channel of the main window: its MCI alias, the files it accepts, the list and
// Pause button it uses, and its two flags.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "platform/vb_types.h"

struct ChannelFlags {
    Boolean Playing = vbFalse;  // a file has been opened and started; not cleared at its end
    Boolean Paused = vbFalse;   // the last pause succeeded and no resume or restart followed
};

struct SoundChannel {
    std::string Alias;
    std::int32_t DeviceType;
    std::vector<std::string> AcceptedEndings;  // last four characters, upper case
    FileListBox& List;
    CommandButton& PauseButton;
    ChannelFlags Flags;

    // Exact after upper-casing, so ".Mid" passes and ".midi" does not.
    bool Accepts(const std::string& name) const;
};
