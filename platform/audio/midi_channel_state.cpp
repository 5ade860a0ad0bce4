#include "platform/audio/midi_channel_state.h"

namespace audio {

namespace {

constexpr std::uint8_t kDataEntry = 6;
constexpr std::uint8_t kRpnLsb = 100;
constexpr std::uint8_t kRpnMsb = 101;
constexpr std::uint8_t kResetControllers = 121;

void ResetControllers(ChannelState& channel) {
    for (int controller : {1, 11, 64, 65, 66, 67, 68, 69}) channel.controllerSet.reset(controller);
    channel.bend = 8192;
    channel.pressure = 0;
    channel.rpnMsb = channel.rpnLsb = 127;
}

}  // namespace

bool IsRestorableController(int controller) {
    return controller != kDataEntry && controller != 38 && (controller < 96 || controller > 101) &&
           controller < 120;
}

void ApplyToState(SongState& state, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    ChannelState& channel = state[status & 0x0F];
    switch (status & 0xF0) {
        case 0xB0:
            if (data1 == kResetControllers) {
                ResetControllers(channel);
            } else if (data1 == kRpnMsb) {
                channel.rpnMsb = data2;
            } else if (data1 == kRpnLsb) {
                channel.rpnLsb = data2;
            } else if (data1 == kDataEntry && channel.rpnMsb == 0 && channel.rpnLsb == 0) {
                channel.bendRange = data2;
            } else if (IsRestorableController(data1)) {
                channel.controllers[data1] = data2;
                channel.controllerSet.set(data1);
            }
            break;
        case 0xC0:
            channel.program = data1;
            channel.programChosen = true;
            break;
        case 0xD0:
            channel.pressure = data1;
            break;
        case 0xE0:
            channel.bend = std::uint16_t(data1 | data2 << 7);
            break;
        default:
            break;
    }
}

}  // namespace audio
