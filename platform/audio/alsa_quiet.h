#pragma once
// libasound writes what it cannot find in its configuration to standard error: eight lines at
// every start on a machine without a sound card. Missing hardware is an ordinary case here,
// which the program reports itself, once.

namespace audio {

// Drops libasound's messages for the rest of the process; call before SDL or a mixer opens it.
void QuietAlsa();

}  // namespace audio
