#pragma once
// Multimedia functions the program calls by their Windows names: the MCI string service
// and the audio mixer. Records keep the documented 32-bit layouts and sizes; where a record
// holds a pointer, its cbStruct still carries the documented size (24), which the layer checks.
#include <cstdint>

// ---- MCI string service ----

inline constexpr std::uint32_t MM_MCINOTIFY = 0x3B9;
inline constexpr std::int32_t MCI_NOTIFY_SUCCESSFUL = 1;
inline constexpr std::int32_t MCI_NOTIFY_SUPERSEDED = 2;
inline constexpr std::int32_t MCI_NOTIFY_ABORTED = 4;
inline constexpr std::int32_t MCI_NOTIFY_FAILURE = 8;

// Sends one command string. 0 is success; otherwise the low 16 bits are the error number.
// With a reply buffer (length > 0) the reply is written into it, ending at a NUL.
// A command carrying "notify" posts MM_MCINOTIFY to hwndCallback when it completes.
std::uint32_t mciSendStringA(const char* command, char* returnString, std::uint32_t returnLength,
                             std::int32_t hwndCallback);

// Writes the text of an error number; returns non-zero when there is one, 0 when not.
std::int32_t mciGetErrorStringA(std::uint32_t error, char* buffer, std::uint32_t length);

// The service behind the two functions above: the real interpreter unless a test puts a
// recorder in its place.
class MciStringService {
public:
    virtual ~MciStringService() = default;
    virtual std::uint32_t SendString(const char* command, char* returnString,
                                     std::uint32_t returnLength, std::int32_t hwndCallback) = 0;
    virtual std::int32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t length) = 0;
};
// Returns the service in use before; nullptr returns to the real interpreter.
MciStringService* SetMciStringService(MciStringService* service);

// ---- Audio mixer ----

inline constexpr std::uint32_t MMSYSERR_NOERROR = 0;
inline constexpr std::uint32_t MMSYSERR_BADDEVICEID = 2;
inline constexpr std::uint32_t MMSYSERR_INVALHANDLE = 5;
inline constexpr std::uint32_t MMSYSERR_INVALFLAG = 10;
inline constexpr std::uint32_t MMSYSERR_INVALPARAM = 11;
inline constexpr std::uint32_t MIXERR_INVALLINE = 1024;
inline constexpr std::uint32_t MIXERR_INVALCONTROL = 1025;

inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_SPEAKERS = 4;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER = 0x1004;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC = 0x1005;
inline constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT = 0x1008;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
inline constexpr std::uint32_t MIXER_GETLINEINFOF_COMPONENTTYPE = 3;
inline constexpr std::uint32_t MIXER_GETLINECONTROLSF_ONEBYTYPE = 2;
inline constexpr std::uint32_t MIXER_GETCONTROLDETAILSF_VALUE = 0;
inline constexpr std::uint32_t MIXER_SETCONTROLDETAILSF_VALUE = 0;

using HMIXER = std::uint32_t;

#pragma pack(push, 1)
struct MIXERLINEA {
    std::uint32_t cbStruct;  // 168
    std::uint32_t dwDestination;
    std::uint32_t dwSource;
    std::uint32_t dwLineID;
    std::uint32_t fdwLine;
    std::uint32_t dwUser;
    std::uint32_t dwComponentType;
    std::uint32_t cChannels;
    std::uint32_t cConnections;
    std::uint32_t cControls;
    char szShortName[16];
    char szName[64];
    struct {
        std::uint32_t dwType;
        std::uint32_t dwDeviceID;
        std::uint16_t wMid;
        std::uint16_t wPid;
        std::uint32_t vDriverVersion;
        char szPname[32];
    } Target;
};

struct MIXERCONTROLA {
    std::uint32_t cbStruct;  // 148
    std::uint32_t dwControlID;
    std::uint32_t dwControlType;
    std::uint32_t fdwControl;
    std::uint32_t cMultipleItems;
    char szShortName[16];
    char szName[64];
    union {
        struct {
            std::int32_t lMinimum;
            std::int32_t lMaximum;
        };
        std::uint32_t dwReserved[6];
    } Bounds;
    union {
        std::uint32_t cSteps;
        std::uint32_t dwReserved[6];
    } Metrics;
};
#pragma pack(pop)

struct MIXERLINECONTROLSA {
    std::uint32_t cbStruct;  // 24, the documented size
    std::uint32_t dwLineID;
    std::uint32_t dwControlType;  // or dwControlID, by the query flags
    std::uint32_t cControls;
    std::uint32_t cbmxctrl;  // size of each record at pamxctrl; at least 148
    MIXERCONTROLA* pamxctrl;
};

struct MIXERCONTROLDETAILS {
    std::uint32_t cbStruct;  // 24, the documented size
    std::uint32_t dwControlID;
    std::uint32_t cChannels;
    std::uint32_t cMultipleItems;
    std::uint32_t cbDetails;  // 4: one MIXERCONTROLDETAILS_UNSIGNED
    void* paDetails;
};

struct MIXERCONTROLDETAILS_UNSIGNED {
    std::uint32_t dwValue;
};

static_assert(sizeof(MIXERLINEA) == 168);
static_assert(sizeof(MIXERCONTROLA) == 148);

inline constexpr std::uint32_t kMixerLineControlsSize = 24;
inline constexpr std::uint32_t kMixerControlDetailsSize = 24;

std::uint32_t mixerOpen(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                        std::uintptr_t dwInstance, std::uint32_t fdwOpen);
std::uint32_t mixerClose(HMIXER hmx);
std::uint32_t mixerGetLineInfoA(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo);
std::uint32_t mixerGetLineControlsA(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                    std::uint32_t fdwControls);
std::uint32_t mixerGetControlDetailsA(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                      std::uint32_t fdwDetails);
std::uint32_t mixerSetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                     std::uint32_t fdwDetails);

// The mixer behind the functions above: the machine's unless a test puts a stand-in in its place.
class MixerService {
public:
    virtual ~MixerService() = default;
    virtual std::uint32_t Open(HMIXER* phmx, std::uint32_t uMxId, std::uintptr_t dwCallback,
                               std::uintptr_t dwInstance, std::uint32_t fdwOpen) = 0;
    virtual std::uint32_t Close(HMIXER hmx) = 0;
    virtual std::uint32_t GetLineInfo(HMIXER hmxobj, MIXERLINEA* pmxl, std::uint32_t fdwInfo) = 0;
    virtual std::uint32_t GetLineControls(HMIXER hmxobj, MIXERLINECONTROLSA* pmxlc,
                                          std::uint32_t fdwControls) = 0;
    virtual std::uint32_t GetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                            std::uint32_t fdwDetails) = 0;
    virtual std::uint32_t SetControlDetails(HMIXER hmxobj, MIXERCONTROLDETAILS* pmxcd,
                                            std::uint32_t fdwDetails) = 0;
};
// Returns the service in use before; nullptr returns to the machine's mixer.
MixerService* SetMixerService(MixerService* service);
