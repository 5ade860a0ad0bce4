#include "platform/audio/sdl_audio_session.h"

#include <SDL.h>

#include <cstdio>

namespace audio {

SdlAudioSession::SdlAudioSession() : started_(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    if (!started_) std::fprintf(stderr, "audio: SDL audio did not start: %s\n", SDL_GetError());
}

SdlAudioSession::~SdlAudioSession() {
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace audio
