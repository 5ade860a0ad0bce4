// The mixer functions forward to an installed stand-in when there is one, so tests can give
// the program mixers of any shape and see every record it passes.
#include <atomic>

#include "platform/mixer/mixer_real.h"
#include "platform/multimedia.h"

namespace {

std::atomic<MixerService*> installed{nullptr};

MixerService& current() {
    MixerService* service = installed.load();
    return service ? *service : mixer::MachineMixer();
}

}  // namespace

MixerService* SetMixerService(MixerService* service) {
    return installed.exchange(service);
}

std::uint32_t mixerOpen(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                        std::uintptr_t dwInstance, std::uint32_t fdwOpen) {
    return current().Open(phmx, uMxId, dwCallback, dwInstance, fdwOpen);
}

std::uint32_t mixerClose(HMIXER hmx) {
    return current().Close(hmx);
}

std::uint32_t mixerGetLineInfoA(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo) {
    return current().GetLineInfo(hmxobj, pmxl, fdwInfo);
}

std::uint32_t mixerGetLineControlsA(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                    std::uint32_t fdwControls) {
    return current().GetLineControls(hmxobj, pmxlc, fdwControls);
}

std::uint32_t mixerGetControlDetailsA(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                      std::uint32_t fdwDetails) {
    return current().GetControlDetails(hmxobj, pmxcd, fdwDetails);
}

std::uint32_t mixerSetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                     std::uint32_t fdwDetails) {
    return current().SetControlDetails(hmxobj, pmxcd, fdwDetails);
}
