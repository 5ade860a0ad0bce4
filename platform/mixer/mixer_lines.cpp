#include "platform/mixer/mixer_lines.h"

#include <algorithm>
#include <array>

#include "platform/multimedia.h"

namespace mixer {

namespace {

// Line ids put the sources after their destination, as the documented numbering does.
constexpr std::array kLines = {
    LineInfo{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0xFFFF0000, 1, "Master", "Master Volume",
             audio::Line::Master},
    LineInfo{MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0x00000000, 2, "Wave", "Wave", audio::Line::Wave},
    LineInfo{MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, 0x00000001, 3, "SW Synth", "SW Synth",
             audio::Line::Midi},
    LineInfo{MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 0x00000002, 4, "CD Audio", "CD Audio",
             audio::Line::Cd},
};

template <typename Field>
const LineInfo* findBy(Field field, std::uint32_t value) {
    const auto found = std::ranges::find(kLines, value, field);
    return found == kLines.end() ? nullptr : &*found;
}

}  // namespace

std::span<const LineInfo> AllLines() {
    return kLines;
}

const LineInfo* FindByComponentType(std::uint32_t componentType) {
    return findBy(&LineInfo::componentType, componentType);
}

const LineInfo* FindByLineId(std::uint32_t lineId) {
    return findBy(&LineInfo::lineId, lineId);
}

const LineInfo* FindByControlId(std::uint32_t controlId) {
    return findBy(&LineInfo::controlId, controlId);
}

std::optional<std::uint32_t> SourceIndex(const LineInfo& line) {
    if (&line == &kLines[0]) return std::nullopt;
    return static_cast<std::uint32_t>(&line - &kLines[1]);
}

}  // namespace mixer
