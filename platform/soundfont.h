#pragma once
// The General MIDI soundfont songs play through. By default the system's (Debian's folders,
// default-GM first); the user may name one in the settings store ("SoundFont", outside any
// group) or on the command line, which wins. A chosen soundfont that is missing or cannot be
// read is named on standard error and the default order takes over.
#include <string>

// The soundfont the command line names; call before the first song opens.
void ChooseSoundfont(const std::string& path);
