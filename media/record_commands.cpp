// The three ways wave recording sends a command: quiet (the result is ignored), guarded
// (a failure is reported) and status (the reply is wanted). None gets a wait or notify suffix.
#include <algorithm>
#include <array>

#include "media/cmci_adv.h"

namespace {

constexpr std::uint32_t kReplyLength = 260;

}  // namespace

void cMCI_Adv::SendQuiet(const std::string& command) {
    mciSendStringA(command.c_str(), nullptr, 0, 0);
}

Boolean cMCI_Adv::SendGuarded(const std::string& command, std::int32_t hCallbackProc,
                              Boolean ShowErrors) {
    const std::uint32_t returnCode = mciSendStringA(command.c_str(), nullptr, 0, hCallbackProc);
    std::int32_t errorNumber;
    std::string errorText;
    return ToBoolean(
        !ReportMciError(returnCode, "mciSendString", errorNumber, errorText, ShowErrors));
}

Boolean cMCI_Adv::SendStatus(const std::string& command, std::string& reply) {
    std::array<char, kReplyLength> buffer{};
    const std::uint32_t returnCode =
        mciSendStringA(command.c_str(), buffer.data(), kReplyLength, 0);
    reply.assign(buffer.data(), std::find(buffer.begin(), buffer.end(), '\0'));
    return ToBoolean(returnCode == 0);
}
