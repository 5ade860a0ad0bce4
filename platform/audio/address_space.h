#pragma once
// FluidSynth does not check every allocation it makes: under an address-space limit (ulimit -v)
// it crashes where it should fail. Work for it is checked for room first, so that running short
// fails the command that met it instead.
#include <filesystem>

namespace audio {

// Throws std::bad_alloc unless the address space FluidSynth may need to read `soundfont` (its
// parsed presets and, at most, every sample, decompressed for an SF3) can be had now. Without
// a limit on the process's address space there is always room, and nothing is checked.
void RequireRoomForSoundfont(const std::filesystem::path& soundfont);

}  // namespace audio
