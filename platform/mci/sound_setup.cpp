#include "platform/sound_setup.h"

#include "platform/audio/engine.h"
#include "platform/audio/sdl_audio_session.h"
#include "platform/mci/cd_drives.h"

namespace sound_setup {

bool ChooseSink(const std::string& name) {
    return audio::Engine::ChooseSink(name);
}

void ReplaceCdDrives(std::map<char, std::string> drives) {
    mci::ReplaceCdDrives(std::move(drives));
}

struct SdlSession::Running {
    audio::SdlAudioSession session;
};

SdlSession::SdlSession() : running_(std::make_unique<Running>()) {}

SdlSession::~SdlSession() = default;

}  // namespace sound_setup
