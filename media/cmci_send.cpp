// Sending a composed command: the suffix rules, the reply buffer and the error report.
#include <algorithm>
#include <array>

#include "media/cmci_adv.h"

namespace {


bool containsUpper(const std::string& command, const char* word) {
    return UCase(command).find(word) != std::string::npos;
}

}  // namespace

Boolean cMCI_Adv::MCIa_SendCommand(const std::string& CommandString, const SendOptions& options) {
    if (options.Return_Result) options.Return_Result->clear();
    std::string command = Trim(CommandString);
    if (command.empty()) return vbFalse;
    if (const auto nul = command.find('\0'); nul != std::string::npos) command.resize(nul);

    if (options.hCallbackProc != 0 && !containsUpper(command, " NOTIFY")) command += " notify";
    if (IsTrue(options.WaitToComplete) && !containsUpper(command, " WAIT")) command += " wait";

    std::uint32_t returnCode;
    if (options.UseReturnString != 0) {
        std::array<char, MAX_PATH> reply{};
        returnCode = mciSendStringA(command.c_str(), reply.data(), MAX_PATH, options.hCallbackProc);
        if (options.Return_Result)
            *options.Return_Result = std::string(reply.data(), std::find(reply.begin(), reply.end(), '\0'));
    } else {
        returnCode = mciSendStringA(command.c_str(), nullptr, 0, options.hCallbackProc);
    }

    std::int32_t errorNumber;
    std::string errorText;
    ReportMciError(returnCode, "mciSendString", errorNumber, errorText, options.ShowErrors);
    return ToBoolean(returnCode == 0);
}

Boolean cMCI_Adv::SendAliasCommand(const std::string& verb, const std::string& DeviceAlias,
                                   const std::string& suffix, std::int32_t hCallbackProc,
                                   Boolean WaitToComplete, Boolean ShowErrors) {
    const std::string alias = Trim(DeviceAlias);
    if (alias.empty()) return vbFalse;
    return MCIa_SendCommand(verb + " " + alias + suffix, {.hCallbackProc = hCallbackProc,
                                                          .WaitToComplete = WaitToComplete,
                                                          .ShowErrors = ShowErrors});
}
