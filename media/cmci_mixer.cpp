// The mixer volumes: four channels (System, WAVE, MIDI, CD), each one volume control of a
// mixer line, found once when the object is made and clamped to its own bounds when set.
#include <array>
#include <cstring>

#include "media/cmci_adv.h"
#include "platform/user_interface.h"

namespace {

constexpr std::uint32_t kLineRecordSize = 168;
constexpr std::uint32_t kControlRecordSize = 152;  // what every size field describing it says
constexpr std::uint32_t kValueSize = 4;

MIXERCONTROLDETAILS DetailsFor(const MIXERCONTROLA& control, std::uint32_t& value) {
    return {.cbStruct = kMixerControlDetailsSize,
            .dwControlID = control.dwControlID,
            .cChannels = 1,  // one value sets every channel of the line alike
            .cMultipleItems = 0,
            .cbDetails = kValueSize,
            .paDetails = &value};
}

}  // namespace

void cMCI_Adv::OpenMixer() {
    if (mixerOpen(&hMixer, 0, 0, 0, 0) != MMSYSERR_NOERROR) {
        MsgBox("An error occured while trying to access the volume mixer.", vbExclamation,
               "  Error Opening Volume Mixer");
        return;
    }
    struct Channel {
        std::uint32_t componentType;
        MixerControlRecord& control;
        std::int32_t& minimum;
        std::int32_t& maximum;
        bool& found;
    };
    const Channel channels[] = {
        {MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, mxcSystem, lngSystemMin, lngSystemMax,
         blnSystemFound},
        {MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, mxcWAVE, lngWAVEMin, lngWAVEMax, blnWAVEFound},
        {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, mxcMIDI, lngMIDIMin, lngMIDIMax, blnMIDIFound},
        {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, mxcCD, lngCDMin, lngCDMax, blnCDFound},
    };
    for (const Channel& channel : channels) {
        if (!IsTrue(MIX_GetVolumeControl(hMixer, channel.componentType, channel.control))) continue;
        channel.found = true;
        channel.maximum = channel.control.Control.Bounds.lMaximum;
        channel.minimum = channel.control.Control.Bounds.lMinimum;
    }
}

void cMCI_Adv::CloseMixer() {
    mixerClose(hMixer);
}

Boolean cMCI_Adv::MIX_GetVolumeControl(HMIXER hMixer, std::uint32_t ComponentType,
                                       MixerControlRecord& Control) {
    MIXERLINEA line{};
    line.cbStruct = kLineRecordSize;
    line.dwComponentType = ComponentType;
    if (mixerGetLineInfoA(hMixer, &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
        return vbFalse;
    alignas(MIXERCONTROLA) std::array<std::byte, kControlRecordSize> scratch{};
    MIXERLINECONTROLSA controls{.cbStruct = kMixerLineControlsSize,
                                .dwLineID = line.dwLineID,
                                .dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME,
                                .cControls = 1,
                                .cbmxctrl = kControlRecordSize,
                                .pamxctrl = reinterpret_cast<MIXERCONTROLA*>(scratch.data())};
    Control.Control.cbStruct = kControlRecordSize;
    if (mixerGetLineControlsA(hMixer, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return vbFalse;
    std::memcpy(&Control, scratch.data(), kControlRecordSize);
    return vbTrue;
}

Boolean cMCI_Adv::MIX_GetControlValue(HMIXER hMixer, const MixerControlRecord& Control,
                                      std::uint32_t& Value) {
    MIXERCONTROLDETAILS details = DetailsFor(Control.Control, Value);
    return ToBoolean(mixerGetControlDetailsA(hMixer, &details, MIXER_GETCONTROLDETAILSF_VALUE) ==
                     MMSYSERR_NOERROR);
}

Boolean cMCI_Adv::MIX_SetControlValue(HMIXER hMixer, const MixerControlRecord& Control,
                                      std::uint32_t Value) {
    MIXERCONTROLDETAILS details = DetailsFor(Control.Control, Value);
    return ToBoolean(mixerSetControlDetails(hMixer, &details, MIXER_SETCONTROLDETAILSF_VALUE) ==
                     MMSYSERR_NOERROR);
}

std::int32_t cMCI_Adv::ReadVolume(bool found, const MixerControlRecord& Control) const {
    std::uint32_t value = 0;
    if (found) MIX_GetControlValue(hMixer, Control, value);  // a failed read leaves 0
    return static_cast<std::int32_t>(value);
}

void cMCI_Adv::WriteVolume(bool found, const MixerControlRecord& Control, std::int32_t Min,
                           std::int32_t Max, std::int32_t NewValue) {
    if (NewValue > Max) {
        NewValue = Max;
    } else if (NewValue < Min) {
        NewValue = Min;
    }
    if (found) MIX_SetControlValue(hMixer, Control, static_cast<std::uint32_t>(NewValue));
}

std::int32_t cMCI_Adv::MCIa_VolumeCD() const {
    return ReadVolume(blnCDFound, mxcCD);
}
void cMCI_Adv::MCIa_VolumeCD(std::int32_t NewValue) {
    WriteVolume(blnCDFound, mxcCD, lngCDMin, lngCDMax, NewValue);
}
std::int32_t cMCI_Adv::MCIa_VolumeCD_Max() const {
    return lngCDMax;
}
std::int32_t cMCI_Adv::MCIa_VolumeCD_Min() const {
    return lngCDMin;
}

std::int32_t cMCI_Adv::MCIa_VolumeMIDI() const {
    return ReadVolume(blnMIDIFound, mxcMIDI);
}
void cMCI_Adv::MCIa_VolumeMIDI(std::int32_t NewValue) {
    WriteVolume(blnMIDIFound, mxcMIDI, lngMIDIMin, lngMIDIMax, NewValue);
}
std::int32_t cMCI_Adv::MCIa_VolumeMIDI_Max() const {
    return lngMIDIMax;
}
std::int32_t cMCI_Adv::MCIa_VolumeMIDI_Min() const {
    return lngMIDIMin;
}

std::int32_t cMCI_Adv::MCIa_VolumeSystem() const {
    return ReadVolume(blnSystemFound, mxcSystem);
}
void cMCI_Adv::MCIa_VolumeSystem(std::int32_t NewValue) {
    WriteVolume(blnSystemFound, mxcSystem, lngSystemMin, lngSystemMax, NewValue);
}
std::int32_t cMCI_Adv::MCIa_VolumeSystem_Max() const {
    return lngSystemMax;
}
std::int32_t cMCI_Adv::MCIa_VolumeSystem_Min() const {
    return lngSystemMin;
}

std::int32_t cMCI_Adv::MCIa_VolumeWAVE() const {
    return ReadVolume(blnWAVEFound, mxcWAVE);
}
void cMCI_Adv::MCIa_VolumeWAVE(std::int32_t NewValue) {
    WriteVolume(blnWAVEFound, mxcWAVE, lngWAVEMin, lngWAVEMax, NewValue);
}
std::int32_t cMCI_Adv::MCIa_VolumeWAVE_Max() const {
    return lngWAVEMax;
}
std::int32_t cMCI_Adv::MCIa_VolumeWAVE_Min() const {
    return lngWAVEMin;
}
