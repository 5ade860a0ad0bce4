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

// The last four characters of the name, upper-cased, are one of the endings: exact after
// upper-casing, so ".Mid" passes and ".midi" does not.
bool HasAcceptedEnding(const std::string& name, const std::vector<std::string>& endings);

struct SoundChannel {
    std::string Alias;
    std::int32_t DeviceType;
    std::vector<std::string> AcceptedEndings;  // last four characters, upper case
    FileListBox& List;
    CommandButton& PauseButton;
    ChannelFlags Flags;

    bool Accepts(const std::string& name) const { return HasAcceptedEnding(name, AcceptedEndings); }
};
