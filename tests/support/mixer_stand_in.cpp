#include "tests/support/mixer_stand_in.h"

#include <algorithm>
#include <cstring>

namespace test_support {

constexpr HMIXER kHandle = 77;

MixerStandIn::MixerStandIn(std::vector<StandInLine> lines)
    : lines(std::move(lines)), previous_(SetMixerService(this)) {}

MixerStandIn::~MixerStandIn() {
    SetMixerService(previous_);
}

MixerStandIn MixerStandIn::System(std::int32_t minimum, std::int32_t maximum, std::uint32_t level) {
    return MixerStandIn({{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, minimum, maximum, level}});
}

std::uint32_t MixerStandIn::Value(std::uint32_t componentType) const {
    const auto line = std::ranges::find(lines, componentType, &StandInLine::componentType);
    return line == lines.end() ? 0 : line->value;
}

StandInLine* MixerStandIn::LineOfControl(std::uint32_t controlId) {
    return controlId >= 1 && controlId <= lines.size() ? &lines[controlId - 1] : nullptr;
}

std::uint32_t MixerStandIn::Open(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                                 std::uintptr_t dwInstance, std::uint32_t fdwOpen) {
    calls.push_back("mixerOpen " + std::to_string(uMxId) + " " + std::to_string(dwCallback) + " " +
                    std::to_string(dwInstance) + " " + std::to_string(fdwOpen));
    if (openResult == MMSYSERR_NOERROR) *phmx = kHandle;
    return openResult;
}

std::uint32_t MixerStandIn::Close(HMIXER hmx) {
    calls.push_back("mixerClose " + std::to_string(hmx));
    return hmx == kHandle ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

std::uint32_t MixerStandIn::GetLineInfo(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t) {
    calls.push_back("mixerGetLineInfoA");
    const auto line = std::ranges::find(lines, pmxl->dwComponentType, &StandInLine::componentType);
    if (hmxobj != kHandle) return MMSYSERR_INVALHANDLE;
    if (line == lines.end()) return MIXERR_INVALLINE;
    pmxl->dwLineID = 0x100 + static_cast<std::uint32_t>(line - lines.begin());
    return MMSYSERR_NOERROR;
}

std::uint32_t MixerStandIn::GetLineControls(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                            std::uint32_t) {
    calls.push_back("mixerGetLineControlsA");
    const std::uint32_t index = pmxlc->dwLineID - 0x100;
    if (hmxobj != kHandle) return MMSYSERR_INVALHANDLE;
    if (index >= lines.size()) return MIXERR_INVALLINE;
    MIXERCONTROLA control{};
    control.cbStruct = sizeof control;
    control.dwControlID = index + 1;
    control.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    control.Bounds.lMinimum = lines[index].minimum;
    control.Bounds.lMaximum = lines[index].maximum;
    std::memcpy(pmxlc->pamxctrl, &control, sizeof control);
    return MMSYSERR_NOERROR;
}

std::uint32_t MixerStandIn::GetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                              std::uint32_t) {
    calls.push_back("mixerGetControlDetailsA");
    const StandInLine* line = LineOfControl(pmxcd->dwControlID);
    if (hmxobj != kHandle || line == nullptr) return MIXERR_INVALCONTROL;
    std::memcpy(pmxcd->paDetails, &line->value, sizeof line->value);
    return MMSYSERR_NOERROR;
}

std::uint32_t MixerStandIn::SetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                              std::uint32_t) {
    calls.push_back("mixerSetControlDetails");
    std::uint32_t value = 0;
    std::memcpy(&value, pmxcd->paDetails, sizeof value);
    StandInLine* line = LineOfControl(pmxcd->dwControlID);
    if (hmxobj != kHandle || line == nullptr) return MIXERR_INVALCONTROL;
    line->value = value;
    writes.push_back(value);
    return MMSYSERR_NOERROR;
}

}  // namespace test_support
