#pragma once
// The mixer lines of the engine; every clip plays on one of them.

namespace audio {

enum class Line { Master, Wave, Midi, Cd };  // mixer lines; Master scales the whole mix

}  // namespace audio
