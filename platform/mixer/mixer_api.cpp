// The machine's mixer over the line table. Mixer device 0 is the
// only one. Handles are small numbers handed out by mixerOpen and valid until mixerClose.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/mixer/mixer_levels.h"
#include "platform/mixer/mixer_lines.h"
#include "platform/mixer/mixer_real.h"
#include "platform/mixer/mixer_records.h"
#include "platform/multimedia.h"

namespace {

constexpr std::uint32_t kObjectTypeMask = 0xF0000000;
constexpr std::uint32_t kObjectHandle = 0x80000000;
constexpr std::uint32_t kQueryMask = 0x0000000F;
constexpr std::uint32_t kLineByDestination = 0;
constexpr std::uint32_t kLineBySource = 1;
constexpr std::uint32_t kLineById = 2;
constexpr std::uint32_t kControlsAll = 0;
constexpr std::uint32_t kControlById = 1;
constexpr std::uint32_t kMaxChannels = 2;

const mixer::LineInfo* lineFor(const MIXERLINEA& record, std::uint32_t query) {
    switch (query) {
        case kLineByDestination:
            return record.dwDestination == 0 ? &mixer::AllLines()[0] : nullptr;
        case kLineBySource: {
            const auto lines = mixer::AllLines();
            const bool known = record.dwDestination == 0 && record.dwSource < lines.size() - 1;
            return known ? &lines[record.dwSource + 1] : nullptr;
        }
        case kLineById:
            return mixer::FindByLineId(record.dwLineID);
        case MIXER_GETLINEINFOF_COMPONENTTYPE:
            return mixer::FindByComponentType(record.dwComponentType);
    }
    return nullptr;
}

std::uint32_t checkDetails(const MIXERCONTROLDETAILS* details, std::uint32_t flags) {
    if (!details || details->cbStruct < kMixerControlDetailsSize) return MMSYSERR_INVALPARAM;
    if ((flags & kQueryMask) != MIXER_GETCONTROLDETAILSF_VALUE) return MMSYSERR_INVALFLAG;
    if (!mixer::FindByControlId(details->dwControlID)) return MIXERR_INVALCONTROL;
    const bool shaped = details->cChannels >= 1 && details->cChannels <= kMaxChannels &&
                        details->cMultipleItems == 0 &&
                        details->cbDetails >= sizeof(MIXERCONTROLDETAILS_UNSIGNED) &&
                        details->paDetails;
    return shaped ? MMSYSERR_NOERROR : MMSYSERR_INVALPARAM;
}

std::byte* channelValue(const MIXERCONTROLDETAILS& details, std::uint32_t channel) {
    return static_cast<std::byte*>(details.paDetails) + channel * details.cbDetails;
}

class LineMixer final : public MixerService {
  public:
    std::uint32_t Open(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t, std::uintptr_t,
                       std::uint32_t fdwOpen) override {
        if (!phmx) return MMSYSERR_INVALPARAM;
        if (uMxId != 0) return MMSYSERR_BADDEVICEID;
        // No change messages are sent, so no callback can be asked for.
        if (fdwOpen != 0) return MMSYSERR_INVALFLAG;
        std::lock_guard lock(handlesMutex_);
        *phmx = ++lastHandle_;
        openHandles_.insert(*phmx);
        return MMSYSERR_NOERROR;
    }

    std::uint32_t Close(HMIXER hmx) override {
        std::lock_guard lock(handlesMutex_);
        return openHandles_.erase(hmx) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    }

    std::uint32_t GetLineInfo(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo) override {
        if (const std::uint32_t fault = checkObject(hmxobj, fdwInfo)) return fault;
        if (!pmxl || pmxl->cbStruct < sizeof(MIXERLINEA)) return MMSYSERR_INVALPARAM;
        const std::uint32_t query = fdwInfo & kQueryMask;
        if (query > MIXER_GETLINEINFOF_COMPONENTTYPE) return MMSYSERR_INVALFLAG;
        const mixer::LineInfo* line = lineFor(*pmxl, query);
        if (!line) return MIXERR_INVALLINE;
        mixer::FillLine(*line, *pmxl);
        return MMSYSERR_NOERROR;
    }

    std::uint32_t GetLineControls(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                  std::uint32_t fdwControls) override {
        if (const std::uint32_t fault = checkObject(hmxobj, fdwControls)) return fault;
        if (!pmxlc || pmxlc->cbStruct < kMixerLineControlsSize || !pmxlc->pamxctrl ||
            pmxlc->cbmxctrl < sizeof(MIXERCONTROLA))
            return MMSYSERR_INVALPARAM;
        const mixer::LineInfo* line = nullptr;
        switch (fdwControls & kQueryMask) {
            case kControlsAll:
                line = mixer::FindByLineId(pmxlc->dwLineID);
                if (line && pmxlc->cControls != 1) return MMSYSERR_INVALPARAM;
                break;
            case kControlById:
                line = mixer::FindByControlId(pmxlc->dwControlType);
                if (!line) return MIXERR_INVALCONTROL;
                pmxlc->dwLineID = line->lineId;
                break;
            case MIXER_GETLINECONTROLSF_ONEBYTYPE:
                line = mixer::FindByLineId(pmxlc->dwLineID);
                if (line && pmxlc->dwControlType != MIXERCONTROL_CONTROLTYPE_VOLUME)
                    return MIXERR_INVALCONTROL;
                break;
            default:
                return MMSYSERR_INVALFLAG;
        }
        if (!line) return MIXERR_INVALLINE;
        mixer::FillVolumeControl(*line, *pmxlc->pamxctrl);
        return MMSYSERR_NOERROR;
    }

    std::uint32_t GetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                    std::uint32_t fdwDetails) override {
        if (const std::uint32_t fault = checkObject(hmxobj, fdwDetails)) return fault;
        if (const std::uint32_t fault = checkDetails(pmxcd, fdwDetails)) return fault;
        const MIXERCONTROLDETAILS_UNSIGNED value{
            mixer::ReadLevel(*mixer::FindByControlId(pmxcd->dwControlID))};
        for (std::uint32_t channel = 0; channel < pmxcd->cChannels; ++channel)
            std::memcpy(channelValue(*pmxcd, channel), &value, sizeof value);
        return MMSYSERR_NOERROR;
    }

    // The faders are uniform: the first channel's value sets every channel of the line.
    std::uint32_t SetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                    std::uint32_t fdwDetails) override {
        if (const std::uint32_t fault = checkObject(hmxobj, fdwDetails)) return fault;
        if (const std::uint32_t fault = checkDetails(pmxcd, fdwDetails)) return fault;
        MIXERCONTROLDETAILS_UNSIGNED value{};
        std::memcpy(&value, channelValue(*pmxcd, 0), sizeof value);
        mixer::WriteLevel(*mixer::FindByControlId(pmxcd->dwControlID), value.dwValue);
        return MMSYSERR_NOERROR;
    }

  private:
    // The object of a query: an open handle, or with the mixer-id object type also device 0.
    std::uint32_t checkObject(HMIXER object, std::uint32_t flags) {
        const std::uint32_t type = flags & kObjectTypeMask;
        if (type != 0 && type != kObjectHandle) return MMSYSERR_INVALFLAG;
        if (isOpen(object) || (type == 0 && object == 0)) return MMSYSERR_NOERROR;
        return type == 0 ? MMSYSERR_BADDEVICEID : MMSYSERR_INVALHANDLE;
    }

    bool isOpen(HMIXER handle) {
        std::lock_guard lock(handlesMutex_);
        return openHandles_.contains(handle);
    }

    std::mutex handlesMutex_;
    std::set<HMIXER> openHandles_;
    HMIXER lastHandle_ = 0;
};

}  // namespace

MixerService& mixer::MachineMixer() {
    static LineMixer machine;
    return machine;
}
