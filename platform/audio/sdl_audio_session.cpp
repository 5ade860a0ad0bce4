#include "platform/audio/sdl_audio_session.h"

#include <SDL.h>

#include <atomic>

#include "platform/audio/alsa_quiet.h"
#include "platform/audio/sink.h"

namespace audio {

namespace {

std::atomic<bool> sessionOpen{false};

}  // namespace

// SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads; the
// application handles those signals itself.
SdlAudioSession::SdlAudioSession() {
    QuietAlsa();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sessionOpen.store(true);
}

SdlAudioSession::~SdlAudioSession() {
    sessionOpen.store(false);
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_Quit();
}

bool SdlSinkReady() {
    return sessionOpen.load();
}

}  // namespace audio
