#pragma once
// CD drives by letter. The machine's optical drives take the letters after the last one the
// drive table gives, in libcdio's order, as Windows letters them after the fixed disks.
// Tests put disc images (.cue) in their place.
#include <map>
#include <optional>
#include <string>

namespace mci {

// The drive or image behind a letter, any case; nothing when the letter is no CD drive.
std::optional<std::string> CdSourceFor(char letter);
// The first CD drive, which "open cdaudio" names when it gives no letter.
std::optional<std::string> FirstCdSource();

// Replaces the machine's CD drives (for tests and mcishell) until called again with an
// empty map.
void ReplaceCdDrives(std::map<char, std::string> drives);

}  // namespace mci
