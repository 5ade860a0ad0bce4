#pragma once
// The machine's mixer behind the mixer functions, unless a test puts a stand-in in its place.
#include "platform/multimedia.h"

namespace mixer {

MixerService& MachineMixer();

}  // namespace mixer
