// Lifetime of the media object and the members that send one simple command.
#include "media/cmci_adv.h"

cMCI_Adv::cMCI_Adv() {
    // Devices left open by an earlier run of the program are closed before anything else.
    MCI_CloseAll({.hCallbackProc = 0, .WaitToComplete = vbTrue, .ShowErrors = vbFalse});
    OpenMixer();
}

cMCI_Adv::~cMCI_Adv() {
    MCI_CloseAll({.hCallbackProc = 0, .WaitToComplete = vbTrue, .ShowErrors = vbFalse});
    CloseMixer();
}

Boolean cMCI_Adv::MCI_Close(const std::string& DeviceAlias, const WaitingOptions& o) {
    return SendAliasCommand("close", DeviceAlias, "", o.hCallbackProc, o.WaitToComplete, o.ShowErrors);
}

Boolean cMCI_Adv::MCI_CloseAll(const WaitingOptions& o) {
    return MCIa_SendCommand("close all", {.hCallbackProc = o.hCallbackProc,
                                          .WaitToComplete = o.WaitToComplete,
                                          .ShowErrors = o.ShowErrors});
}

Boolean cMCI_Adv::MCI_Door(const std::string& DeviceAlias, Boolean OpenDoor, const WaitingOptions& o) {
    return SendAliasCommand("Set", DeviceAlias, IsTrue(OpenDoor) ? " door open" : " door closed",
                            o.hCallbackProc, o.WaitToComplete, o.ShowErrors);
}

Boolean cMCI_Adv::MCI_Pause(const std::string& DeviceAlias, const ReturningOptions& o) {
    return SendAliasCommand("pause", DeviceAlias, "", o.hCallbackProc, o.WaitToComplete, o.ShowErrors);
}

Boolean cMCI_Adv::MCI_Play(const std::string& DeviceAlias, const PlayOptions& o) {
    std::string clauses;
    if (IsTrue(o.SpecifyStartPosition)) clauses += " from " + CStr(o.StartPosition);
    if (IsTrue(o.SpecifyEndPosition)) clauses += " to " + CStr(o.EndPosition);
    if (IsTrue(o.RepeatPlay)) clauses += " repeat";
    if (IsTrue(o.PlayFullScreen)) clauses += " fullscreen";
    return SendAliasCommand("play", DeviceAlias, clauses, o.hCallbackProc, o.WaitToComplete, o.ShowErrors);
}

Boolean cMCI_Adv::MCI_Resume(const std::string& DeviceAlias, const ReturningOptions& o) {
    return SendAliasCommand("resume", DeviceAlias, "", o.hCallbackProc, o.WaitToComplete, o.ShowErrors);
}

Boolean cMCI_Adv::MCI_Seek(const std::string& DeviceAlias, std::int32_t SeekPosistion,
                           const WaitingOptions& o) {
    return SendAliasCommand("seek", DeviceAlias, " to " + CStr(SeekPosistion), o.hCallbackProc,
                            o.WaitToComplete, o.ShowErrors);
}

Boolean cMCI_Adv::MCI_SeekBeginning(const std::string& DeviceAlias, const WaitingOptions& o) {
    return SendAliasCommand("seek", DeviceAlias, " to start", o.hCallbackProc, o.WaitToComplete,
                            o.ShowErrors);
}

Boolean cMCI_Adv::MCI_SeekEnd(const std::string& DeviceAlias, const WaitingOptions& o) {
    return SendAliasCommand("seek", DeviceAlias, " to end", o.hCallbackProc, o.WaitToComplete,
                            o.ShowErrors);
}

Boolean cMCI_Adv::MCI_Set(const std::string& DeviceAlias, const std::string& ControlSettingString,
                          const QueryOptions& o) {
    return SendAliasCommand("set", DeviceAlias, " " + ControlSettingString, o.hCallbackProc, vbTrue,
                            o.ShowErrors);
}

Boolean cMCI_Adv::MCI_Status(const std::string& DeviceAlias, const std::string& StatusRequestString,
                             std::string& Return_Status, const QueryOptions& o) {
    Return_Status.clear();
    const std::string alias = Trim(DeviceAlias);
    if (alias.empty()) return vbFalse;
    return MCIa_SendCommand("status " + alias + " " + StatusRequestString,
                            {.UseReturnString = vbTrue, .Return_Result = &Return_Status,
                             .hCallbackProc = o.hCallbackProc, .WaitToComplete = vbTrue,
                             .ShowErrors = o.ShowErrors});
}

Boolean cMCI_Adv::MCI_Stop(const std::string& DeviceAlias, const ReturningOptions& o) {
    return SendAliasCommand("stop", DeviceAlias, "", o.hCallbackProc, o.WaitToComplete, o.ShowErrors);
}
