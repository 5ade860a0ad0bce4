#pragma once
// cMCI_Adv: the program's media-control class. It composes MCI command strings, hands them to
// mciSendStringA and turns each outcome into a Boolean; it keeps no record of open devices.
//
// Optional parameters: each member takes its optional parameters as one options struct whose
// fields carry the member's defaults, filled with designated initialisers at the call site,
// in the documented parameter order:
//     mci.MCI_Stop("MIDI", {.hCallbackProc = 0, .WaitToComplete = vbFalse, .ShowErrors = vbFalse});
//     mci.MCI_Open("WAVE", {.DeviceType = 4, .FilePath = path, .ShowErrors = vbTrue});
// Members whose options differ only in the default of WaitToComplete share one template.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/multimedia.h"
#include "platform/toolkit/picture.h"
#include "platform/vb_types.h"

template <Boolean DefaultWait>
struct CommandOptions {
    std::int32_t hCallbackProc = 0;
    Boolean WaitToComplete = DefaultWait;
    Boolean ShowErrors = vbFalse;
};
using WaitingOptions = CommandOptions<vbTrue>;     // close, door, seek: wait by default
using ReturningOptions = CommandOptions<vbFalse>;  // pause, resume, stop, video window: return at once

struct QueryOptions {  // set and status always wait
    std::int32_t hCallbackProc = 0;
    Boolean ShowErrors = vbFalse;
};

struct OpenOptions {
    std::int32_t DeviceType = 10;
    std::string FilePath{};  // braces keep -Wmissing-field-initializers quiet at call sites
    Boolean Shareable = vbFalse;
    std::int16_t BufferSize = 0;
    std::int32_t Parent_Handle = 0;
    Boolean Style_Child = vbFalse;
    Boolean Style_Overlapped = vbFalse;
    Boolean Style_Popup = vbFalse;
    std::string Style_Type{};
    std::int32_t hCallbackProc = 0;
    Boolean ShowErrors = vbFalse;
};

struct PlayOptions {
    Boolean SpecifyStartPosition = vbFalse;
    std::int32_t StartPosition = 0;
    Boolean SpecifyEndPosition = vbFalse;
    std::int32_t EndPosition = 0;
    Boolean PlayFullScreen = vbFalse;
    Boolean RepeatPlay = vbFalse;
    std::int32_t hCallbackProc = 0;
    Boolean WaitToComplete = vbFalse;
    Boolean ShowErrors = vbFalse;
};

struct SendOptions {
    Boolean UseReturnString = vbFalse;  // any non-zero value asks for the reply
    std::string* Return_Result = nullptr;
    std::int32_t hCallbackProc = 0;
    Boolean WaitToComplete = vbTrue;
    Boolean ShowErrors = vbFalse;
};

struct MoveVideoOptions {
    Boolean MoveWindowLocation = vbFalse;
    std::int32_t Window_Left = 0, Window_Top = 0, Window_Width = 0, Window_Height = 0;
    Boolean DisplayVideoOnEntireWindow = vbTrue;
    std::int32_t Dest_Left = 0, Dest_Top = 0, Dest_Width = 0, Dest_Height = 0;
    Boolean UseEntireSourceImage = vbTrue;
    std::int32_t Source_Left = 0, Source_Top = 0, Source_Width = 0, Source_Height = 0;
    std::int32_t hCallbackProc = 0;
    Boolean WaitToComplete = vbFalse;
    Boolean ShowErrors = vbFalse;
};

struct RecordWaveOptions {
    Boolean IN_SpecifyStartPosition = vbFalse;
    std::int32_t IN_StartPosition = 0;
    Boolean IN_SpecifyEndPosition = vbFalse;
    std::int32_t IN_EndPosition = 0;
    std::int32_t RecordInterval = 0;
    std::int32_t hCallbackProc = 0;
    Boolean ShowErrors = vbFalse;
};

struct ResourceOptions {
    std::string RES_Name = "CUSTOM";
    Boolean ShowErrors = vbTrue;
};

struct ResourceSaveOptions {
    std::string RES_Name = "CUSTOM";
    Boolean OverwriteIfExists = vbTrue;
    Boolean ShowErrors = vbTrue;
};

// A picture (its Handle() is the picture handle), a text or a block of bytes; empty until a
// resource is loaded.
using ResourceValue = std::variant<std::monostate, Picture, std::string, std::vector<std::uint8_t>>;

class cMCI_Adv {
public:
    cMCI_Adv();   // sends "close all wait", then opens the mixer
    ~cMCI_Adv();  // sends "close all wait" again, then closes the mixer
    cMCI_Adv(const cMCI_Adv&) = delete;
    cMCI_Adv& operator=(const cMCI_Adv&) = delete;

    // Public members in slot order.
    Boolean MCI_Close(const std::string& DeviceAlias, const WaitingOptions& options = {});
    Boolean MCI_CloseAll(const WaitingOptions& options = {});
    Boolean MCI_Door(const std::string& DeviceAlias, Boolean OpenDoor, const WaitingOptions& options = {});
    Boolean MCI_Open(const std::string& DeviceAlias, const OpenOptions& options = {});
    Boolean MCI_Pause(const std::string& DeviceAlias, const ReturningOptions& options = {});
    Boolean MCI_Play(const std::string& DeviceAlias, const PlayOptions& options = {});
    Boolean MCI_Resume(const std::string& DeviceAlias, const ReturningOptions& options = {});
    Boolean MCI_Seek(const std::string& DeviceAlias, std::int32_t SeekPosistion,
                     const WaitingOptions& options = {});
    Boolean MCI_SeekBeginning(const std::string& DeviceAlias, const WaitingOptions& options = {});
    Boolean MCI_SeekEnd(const std::string& DeviceAlias, const WaitingOptions& options = {});
    Boolean MCI_Set(const std::string& DeviceAlias, const std::string& ControlSettingString,
                    const QueryOptions& options = {});
    Boolean MCI_Status(const std::string& DeviceAlias, const std::string& StatusRequestString,
                       std::string& Return_Status, const QueryOptions& options = {});
    Boolean MCI_Stop(const std::string& DeviceAlias, const ReturningOptions& options = {});
    Boolean MCI_WindowCaption(const std::string& DeviceAlias, const std::string& strNewWindowCaption,
                              const ReturningOptions& options = {});
    Boolean MCI_WindowIcon(const std::string& DeviceAlias, std::int32_t hIcon,
                           const ReturningOptions& options = {});
    Boolean MCIa_MoveVideo(const std::string& DeviceAlias, const MoveVideoOptions& options = {});
    void MCIa_RecordCancel();
    Boolean MCIa_RecordWave(const std::string& OUT_DeviceAlias, const std::string& OUT_FilePath,
                            std::int32_t OUT_BitsPerSample, std::int32_t OUT_Channels,
                            std::int32_t OUT_SamplesPerSec, const std::string& IN_DeviceAlias,
                            const RecordWaveOptions& options = {});
    Boolean MCIa_SendCommand(const std::string& CommandString, const SendOptions& options = {});
    std::int32_t MCIa_VolumeCD() const;
    void MCIa_VolumeCD(std::int32_t NewValue);
    std::int32_t MCIa_VolumeCD_Max() const;
    std::int32_t MCIa_VolumeCD_Min() const;
    std::int32_t MCIa_VolumeMIDI() const;
    void MCIa_VolumeMIDI(std::int32_t NewValue);
    std::int32_t MCIa_VolumeMIDI_Max() const;
    std::int32_t MCIa_VolumeMIDI_Min() const;
    std::int32_t MCIa_VolumeSystem() const;
    void MCIa_VolumeSystem(std::int32_t NewValue);
    std::int32_t MCIa_VolumeSystem_Max() const;
    std::int32_t MCIa_VolumeSystem_Min() const;
    std::int32_t MCIa_VolumeWAVE() const;
    void MCIa_VolumeWAVE(std::int32_t NewValue);
    std::int32_t MCIa_VolumeWAVE_Max() const;
    std::int32_t MCIa_VolumeWAVE_Min() const;
    Boolean RES_Extract(ResourceValue& Return_Resource, std::int32_t RES_ID, std::int32_t RES_Type,
                        const ResourceOptions& options = {});
    Boolean RES_Save(const std::string& FileToExtractTo, std::int32_t RES_ID, std::int32_t RES_Type,
                     const ResourceSaveOptions& options = {});
    std::int16_t OS_GetCdCount();
    std::string OS_CheckDriveType(const std::string& DriveLetter);

private:
    // Shared by every member that sends a command or names a file.
    static Boolean ReportMciError(std::uint32_t ReturnCode, std::string FunctionName,
                                  std::int32_t& ErrorNumber, std::string& ErrorText,
                                  Boolean ShowError);
    static std::int16_t LoWord(std::int32_t Value);
    static std::string GetShortPath(const std::string& Path);
    static Boolean FileExists(const std::string& Path);

    // A simple "verb alias[suffix]" command: strips the alias, refuses an empty one, sends.
    Boolean SendAliasCommand(const std::string& verb, const std::string& DeviceAlias,
                             const std::string& suffix, std::int32_t hCallbackProc,
                             Boolean WaitToComplete, Boolean ShowErrors);
    std::string BuildOpenCommand(const std::string& alias, const OpenOptions& options,
                                 const std::string& filePath) const;

    // The program's copy of one mixer control: the documented 148 bytes and 4 spare ones.
    struct MixerControlRecord {
        MIXERCONTROLA Control;
        std::uint8_t Spare[4];
    };
    static_assert(sizeof(MixerControlRecord) == 152);

    // Opens mixer device 0 and finds the four volume controls; undone by CloseMixer.
    void OpenMixer();
    void CloseMixer();
    static Boolean MIX_GetVolumeControl(HMIXER hMixer, std::uint32_t ComponentType,
                                        MixerControlRecord& Control);
    static Boolean MIX_GetControlValue(HMIXER hMixer, const MixerControlRecord& Control,
                                       std::uint32_t& Value);
    static Boolean MIX_SetControlValue(HMIXER hMixer, const MixerControlRecord& Control,
                                       std::uint32_t Value);
    // A channel whose control was not found reads 0 and ignores writes.
    std::int32_t ReadVolume(bool found, const MixerControlRecord& Control) const;
    void WriteVolume(bool found, const MixerControlRecord& Control, std::int32_t Min,
                     std::int32_t Max, std::int32_t NewValue);

    // The display window of a video device, from "status ... window handle"; False when there
    // is none or the reply is not a number.
    Boolean FindDisplayWindow(const std::string& DeviceAlias, std::int32_t hCallbackProc,
                              Boolean ShowErrors, std::int32_t& hWnd);

    // Wave recording sends its commands straight to the service, without suffixes.
    static void SendQuiet(const std::string& command);
    static Boolean SendGuarded(const std::string& command, std::int32_t hCallbackProc,
                               Boolean ShowErrors);
    static Boolean SendStatus(const std::string& command, std::string& reply);
    static std::string PrepareRecordingFile(const std::string& OUT_FilePath);

    Boolean blnCancelRecord = vbFalse;
    MixerControlRecord mxcSystem{};
    MixerControlRecord mxcWAVE{};
    MixerControlRecord mxcMIDI{};
    MixerControlRecord mxcCD{};
    std::int32_t lngSystemMin = 0, lngSystemMax = 0;
    std::int32_t lngWAVEMin = 0, lngWAVEMax = 0;
    std::int32_t lngMIDIMin = 0, lngMIDIMax = 0;
    std::int32_t lngCDMin = 0, lngCDMax = 0;
    HMIXER hMixer = 0;
    bool blnSystemFound = false, blnWAVEFound = false, blnMIDIFound = false, blnCDFound = false;
};
