// The mixer functions forward to an installed stand-in when there is one, so tests can give
// the program mixers of any shape and see every record it passes.
#include <atomic>

#include "platform/mixer/mixer_real.h"
#include "platform/multimedia.h"

namespace {

std::atomic<MixerService*> installed{nullptr};

}  // namespace

MixerService* SetMixerService(MixerService* service) {
    return installed.exchange(service);
}

std::uint32_t mixerOpen(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                        std::uintptr_t dwInstance, std::uint32_t fdwOpen) {
    if (MixerService* service = installed.load())
        return service->Open(phmx, uMxId, dwCallback, dwInstance, fdwOpen);
    return mixer::real::Open(phmx, uMxId, dwCallback, dwInstance, fdwOpen);
}

std::uint32_t mixerClose(HMIXER hmx) {
    if (MixerService* service = installed.load()) return service->Close(hmx);
    return mixer::real::Close(hmx);
}

std::uint32_t mixerGetLineInfoA(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo) {
    if (MixerService* service = installed.load())
        return service->GetLineInfo(hmxobj, pmxl, fdwInfo);
    return mixer::real::GetLineInfo(hmxobj, pmxl, fdwInfo);
}

std::uint32_t mixerGetLineControlsA(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                    std::uint32_t fdwControls) {
    if (MixerService* service = installed.load())
        return service->GetLineControls(hmxobj, pmxlc, fdwControls);
    return mixer::real::GetLineControls(hmxobj, pmxlc, fdwControls);
}

std::uint32_t mixerGetControlDetailsA(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                      std::uint32_t fdwDetails) {
    if (MixerService* service = installed.load())
        return service->GetControlDetails(hmxobj, pmxcd, fdwDetails);
    return mixer::real::GetControlDetails(hmxobj, pmxcd, fdwDetails);
}

std::uint32_t mixerSetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                     std::uint32_t fdwDetails) {
    if (MixerService* service = installed.load())
        return service->SetControlDetails(hmxobj, pmxcd, fdwDetails);
    return mixer::real::SetControlDetails(hmxobj, pmxcd, fdwDetails);
}
