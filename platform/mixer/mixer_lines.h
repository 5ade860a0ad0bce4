#pragma once
// The lines of mixer device 0: the speakers destination and three sources feeding it, each
// with one volume fader of 0..65535 that drives a line gain of the audio engine.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/audio/line.h"

namespace mixer {

inline constexpr std::int32_t kVolumeMinimum = 0;
inline constexpr std::int32_t kVolumeMaximum = 65535;

struct LineInfo {
    std::uint32_t componentType;
    std::uint32_t lineId;
    std::uint32_t controlId;  // its volume control
    std::string_view shortName;
    std::string_view name;
    audio::Line engineLine;
};

std::span<const LineInfo> AllLines();  // the speakers first, then the sources
const LineInfo* FindByComponentType(std::uint32_t componentType);
const LineInfo* FindByLineId(std::uint32_t lineId);
const LineInfo* FindByControlId(std::uint32_t controlId);

// The position of a source among the sources (0..2), or nothing for the destination.
std::optional<std::uint32_t> SourceIndex(const LineInfo& line);

}  // namespace mixer
