#pragma once
// Stands in for the audio mixer: lines of any bounds, a mixer that cannot be opened, and a
// record of every call, with the arguments of opening and closing.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/multimedia.h"

namespace test_support {

struct StandInLine {
    std::uint32_t componentType;
    std::int32_t minimum;
    std::int32_t maximum;
    std::uint32_t value;
};

class MixerStandIn : public MixerService {
  public:
    explicit MixerStandIn(std::vector<StandInLine> lines);  // installs itself
    ~MixerStandIn() override;                               // puts back what was installed before
    MixerStandIn(const MixerStandIn&) = delete;
    MixerStandIn& operator=(const MixerStandIn&) = delete;

    // A speakers line of minimum..maximum at level, and nothing else.
    static MixerStandIn System(std::int32_t minimum, std::int32_t maximum, std::uint32_t level);

    std::vector<StandInLine> lines;  // the control id of lines[i] is i + 1
    std::uint32_t openResult = MMSYSERR_NOERROR;
    std::vector<std::string> calls;
    std::vector<std::uint32_t> writes;  // every value set, in order

    std::uint32_t Value(std::uint32_t componentType) const;

    std::uint32_t Open(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                       std::uintptr_t dwInstance, std::uint32_t fdwOpen) override;
    std::uint32_t Close(HMIXER hmx) override;
    std::uint32_t GetLineInfo(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo) override;
    std::uint32_t GetLineControls(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                  std::uint32_t fdwControls) override;
    std::uint32_t GetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                    std::uint32_t fdwDetails) override;
    std::uint32_t SetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                    std::uint32_t fdwDetails) override;

  private:
    StandInLine* LineOfControl(std::uint32_t controlId);
    MixerService* previous_;
};

}  // namespace test_support
