#include "platform/audio/sdl_audio_session.h"

#include <SDL.h>

#include <cstdio>

#include "platform/audio/alsa_quiet.h"

namespace audio {

namespace {

// SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads; the
// application handles those signals itself.
bool InitAudio() {
    QuietAlsa();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

}  // namespace

SdlAudioSession::SdlAudioSession() : started_(InitAudio()) {
    if (!started_) std::fprintf(stderr, "audio: SDL audio did not start: %s\n", SDL_GetError());
}

SdlAudioSession::~SdlAudioSession() {
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace audio
