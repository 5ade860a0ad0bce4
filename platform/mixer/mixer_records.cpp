#include "platform/mixer/mixer_records.h"

#include <algorithm>
#include <cstring>

namespace mixer {

namespace {

constexpr std::uint32_t kLineActive = 0x00000001;
constexpr std::uint32_t kLineIsSource = 0x80000000;
constexpr std::uint32_t kTargetWaveOut = 1;
constexpr std::uint32_t kTargetMidiOut = 3;
constexpr std::uint32_t kTargetAux = 5;
constexpr std::uint32_t kControlUniform = 0x00000001;
constexpr std::uint32_t kDriverVersion = 0x0100;
constexpr std::uint32_t kChannels = 2;

template <std::size_t N>
void copyName(std::string_view name, char (&field)[N]) {
    const std::size_t count = std::min(name.size(), N - 1);
    std::copy_n(name.data(), count, field);
    field[count] = '\0';
}

std::uint32_t targetType(const LineInfo& line) {
    switch (line.engineLine) {
        case audio::Line::Midi:
            return kTargetMidiOut;
        case audio::Line::Cd:
            return kTargetAux;
        case audio::Line::Master:
        case audio::Line::Wave:
            return kTargetWaveOut;
    }
    return kTargetWaveOut;
}

}  // namespace

void FillLine(const LineInfo& line, MIXERLINEA& record) {
    const std::uint32_t size = record.cbStruct;
    std::memset(&record, 0, sizeof record);
    record.cbStruct = size;
    const auto source = SourceIndex(line);
    record.dwSource = source.value_or(0);
    record.dwLineID = line.lineId;
    record.fdwLine = kLineActive | (source ? kLineIsSource : 0);
    record.dwComponentType = line.componentType;
    record.cChannels = kChannels;
    record.cConnections = source ? 0 : static_cast<std::uint32_t>(AllLines().size() - 1);
    record.cControls = 1;
    copyName(line.shortName, record.szShortName);
    copyName(line.name, record.szName);
    record.Target.dwType = targetType(line);
    record.Target.vDriverVersion = kDriverVersion;
    copyName("Corvala Mixer", record.Target.szPname);
}

void FillVolumeControl(const LineInfo& line, MIXERCONTROLA& record) {
    std::memset(&record, 0, sizeof record);
    record.cbStruct = sizeof record;
    record.dwControlID = line.controlId;
    record.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    record.fdwControl = kControlUniform;
    copyName("Volume", record.szShortName);
    copyName(line.name, record.szName);
    record.Bounds.lMinimum = kVolumeMinimum;
    record.Bounds.lMaximum = kVolumeMaximum;
    record.Metrics.cSteps = kVolumeMaximum;
}

}  // namespace mixer
