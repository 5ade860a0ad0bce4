#include "platform/mixer/alsa_master.h"

#include <alsa/asoundlib.h>

#include <cmath>

#include "platform/audio/alsa_quiet.h"

namespace mixer {

namespace {

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerPtr = std::unique_ptr<snd_mixer_t, MixerCloser>;

MixerPtr openDefaultMixer() {
    audio::QuietAlsa();
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) return nullptr;
    MixerPtr mixer(raw);
    if (snd_mixer_attach(raw, "default") < 0 ||
        snd_mixer_selem_register(raw, nullptr, nullptr) < 0 || snd_mixer_load(raw) < 0)
        return nullptr;
    return mixer;
}

snd_mixer_elem_t* findMaster(snd_mixer_t* mixer) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, "Master");
    snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id);
    return element && snd_mixer_selem_has_playback_volume(element) ? element : nullptr;
}

}  // namespace

struct AlsaMaster::Handle {
    MixerPtr mixer;
    snd_mixer_elem_t* master = nullptr;
    long minimum = 0;
    long maximum = 0;
};

AlsaMaster::AlsaMaster() {
    MixerPtr mixer = openDefaultMixer();
    if (!mixer) return;
    snd_mixer_elem_t* master = findMaster(mixer.get());
    if (!master) return;
    long minimum = 0;
    long maximum = 0;
    if (snd_mixer_selem_get_playback_volume_range(master, &minimum, &maximum) < 0 ||
        maximum <= minimum)
        return;
    handle_ = std::make_unique<Handle>(Handle{std::move(mixer), master, minimum, maximum});
}

AlsaMaster::~AlsaMaster() = default;

std::optional<double> AlsaMaster::Level() {
    if (!handle_) return std::nullopt;
    snd_mixer_handle_events(handle_->mixer.get());
    long value = 0;
    if (snd_mixer_selem_get_playback_volume(handle_->master, SND_MIXER_SCHN_FRONT_LEFT, &value) < 0)
        return std::nullopt;
    return static_cast<double>(value - handle_->minimum) /
           static_cast<double>(handle_->maximum - handle_->minimum);
}

void AlsaMaster::SetLevel(double level) {
    if (!handle_) return;
    const long span = handle_->maximum - handle_->minimum;
    const long value = handle_->minimum + std::lround(level * static_cast<double>(span));
    snd_mixer_selem_set_playback_volume_all(handle_->master, value);
}

}  // namespace mixer
