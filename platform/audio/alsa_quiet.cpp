#include "platform/audio/alsa_quiet.h"

#include <alsa/asoundlib.h>

namespace audio {

namespace {

extern "C" void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAlsa() {
    snd_lib_error_set_handler(ignoreAlsaMessage);
}

}  // namespace audio
