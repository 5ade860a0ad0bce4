#pragma once
// The error numbers the interpreter returns, their names and the texts mciGetErrorStringA
// gives, in one table. The numbers are those the Windows MCI documents for the same
// conditions, so a caller that knows those numbers reads ours the same way.
#include <array>
#include <cstdint>
#include <string_view>

namespace mci {

using ErrorCode = std::uint32_t;

struct ErrorEntry {
    ErrorCode number;
    std::string_view name;
    std::string_view text;
};

inline constexpr std::array kErrorTable = {
    ErrorEntry{259, "MCIERR_UNRECOGNIZED_KEYWORD",
               "The command holds a word that this command does not accept."},
    ErrorEntry{261, "MCIERR_UNRECOGNIZED_COMMAND",
               "The command word is not one this media service knows."},
    ErrorEntry{262, "MCIERR_HARDWARE",
               "The device is not working or not ready. Check that the sound device is "
               "present and free, or that the CD drive exists and holds an audio disc."},
    ErrorEntry{263, "MCIERR_INVALID_DEVICE_NAME",
               "No open device has this name, and it is not a device type that can be opened."},
    ErrorEntry{265, "MCIERR_DEVICE_OPEN",
               "A device of this name is open already. Close it first, or open it under another "
               "alias."},
    ErrorEntry{266, "MCIERR_CANNOT_LOAD_DRIVER",
               "This device type is known, but this system cannot provide it, or no more "
               "devices can be opened: close some first."},
    ErrorEntry{267, "MCIERR_MISSING_COMMAND_STRING", "The command is empty."},
    ErrorEntry{270, "MCIERR_BAD_INTEGER",
               "A number the command needs is missing or is not a whole number in range."},
    ErrorEntry{273, "MCIERR_MISSING_PARAMETER",
               "The command lacks a value it needs, such as a status item or a seek target."},
    ErrorEntry{274, "MCIERR_UNSUPPORTED_FUNCTION",
               "This device does not carry out this command or this option."},
    ErrorEntry{275, "MCIERR_FILE_NOT_FOUND", "The file named cannot be found."},
    ErrorEntry{279, "MCIERR_CANNOT_USE_ALL", "\"all\" cannot name the device in this command."},
    ErrorEntry{282, "MCIERR_OUTOFRANGE",
               "A value lies outside what the device accepts, such as a position past the end."},
    ErrorEntry{284, "MCIERR_FLAGS_NOT_COMPATIBLE",
               "The command combines options that cannot be used together."},
    ErrorEntry{286, "MCIERR_FILE_NOT_SAVED",
               "The recording could not be saved. Check that the folder exists."},
    ErrorEntry{287, "MCIERR_DEVICE_TYPE_REQUIRED",
               "A device type such as waveaudio is needed here."},
    ErrorEntry{289, "MCIERR_DUPLICATE_ALIAS", "This alias already names an open device."},
    ErrorEntry{290, "MCIERR_BAD_CONSTANT", "An option was given a value it does not accept."},
    ErrorEntry{292, "MCIERR_MISSING_DEVICE_NAME", "The command does not name a device."},
    ErrorEntry{295, "MCIERR_DUPLICATE_FLAGS", "The same option appears twice in the command."},
    ErrorEntry{296, "MCIERR_INVALID_FILE",
               "The file is damaged, cut short or not of a kind this device plays."},
    ErrorEntry{299, "MCIERR_NEW_REQUIRES_ALIAS", "A new device must be opened with an alias."},
    ErrorEntry{302, "MCIERR_NONAPPLICABLE_FUNCTION",
               "The command cannot be carried out in the device's present state, for example "
               "pausing a stopped device or playing a device that has no file."},
    ErrorEntry{343, "MCIERR_SEQ_NOMIDIPRESENT",
               "There is no synthesizer to play MIDI through. Install a General MIDI soundfont "
               "(on Debian, the fluid-soundfont-gm package)."},
    ErrorEntry{346, "MCIERR_NO_WINDOW", "This device has no display window."},
    ErrorEntry{348, "MCIERR_FILE_READ", "The file cannot be read."},
    ErrorEntry{349, "MCIERR_FILE_WRITE",
               "The file cannot be written. Check the folder's permissions and free space."},
};

// A number by its name; a name missing from the table does not compile.
consteval ErrorCode NumberOf(std::string_view name) {
    for (const ErrorEntry& entry : kErrorTable)
        if (entry.name == name) return entry.number;
    throw "no such MCI error name";
}

namespace err {
inline constexpr ErrorCode kNone = 0;
inline constexpr ErrorCode kUnrecognizedKeyword = NumberOf("MCIERR_UNRECOGNIZED_KEYWORD");
inline constexpr ErrorCode kUnrecognizedCommand = NumberOf("MCIERR_UNRECOGNIZED_COMMAND");
inline constexpr ErrorCode kHardware = NumberOf("MCIERR_HARDWARE");
inline constexpr ErrorCode kInvalidDeviceName = NumberOf("MCIERR_INVALID_DEVICE_NAME");
inline constexpr ErrorCode kDeviceOpen = NumberOf("MCIERR_DEVICE_OPEN");
inline constexpr ErrorCode kCannotLoadDriver = NumberOf("MCIERR_CANNOT_LOAD_DRIVER");
inline constexpr ErrorCode kMissingCommandString = NumberOf("MCIERR_MISSING_COMMAND_STRING");
inline constexpr ErrorCode kBadInteger = NumberOf("MCIERR_BAD_INTEGER");
inline constexpr ErrorCode kMissingParameter = NumberOf("MCIERR_MISSING_PARAMETER");
inline constexpr ErrorCode kUnsupportedFunction = NumberOf("MCIERR_UNSUPPORTED_FUNCTION");
inline constexpr ErrorCode kFileNotFound = NumberOf("MCIERR_FILE_NOT_FOUND");
inline constexpr ErrorCode kCannotUseAll = NumberOf("MCIERR_CANNOT_USE_ALL");
inline constexpr ErrorCode kOutOfRange = NumberOf("MCIERR_OUTOFRANGE");
inline constexpr ErrorCode kFlagsNotCompatible = NumberOf("MCIERR_FLAGS_NOT_COMPATIBLE");
inline constexpr ErrorCode kFileNotSaved = NumberOf("MCIERR_FILE_NOT_SAVED");
inline constexpr ErrorCode kDeviceTypeRequired = NumberOf("MCIERR_DEVICE_TYPE_REQUIRED");
inline constexpr ErrorCode kDuplicateAlias = NumberOf("MCIERR_DUPLICATE_ALIAS");
inline constexpr ErrorCode kBadConstant = NumberOf("MCIERR_BAD_CONSTANT");
inline constexpr ErrorCode kMissingDeviceName = NumberOf("MCIERR_MISSING_DEVICE_NAME");
inline constexpr ErrorCode kDuplicateFlags = NumberOf("MCIERR_DUPLICATE_FLAGS");
inline constexpr ErrorCode kInvalidFile = NumberOf("MCIERR_INVALID_FILE");
inline constexpr ErrorCode kNewRequiresAlias = NumberOf("MCIERR_NEW_REQUIRES_ALIAS");
inline constexpr ErrorCode kNonapplicableFunction = NumberOf("MCIERR_NONAPPLICABLE_FUNCTION");
inline constexpr ErrorCode kSeqNoMidiPresent = NumberOf("MCIERR_SEQ_NOMIDIPRESENT");
inline constexpr ErrorCode kNoWindow = NumberOf("MCIERR_NO_WINDOW");
inline constexpr ErrorCode kFileRead = NumberOf("MCIERR_FILE_READ");
inline constexpr ErrorCode kFileWrite = NumberOf("MCIERR_FILE_WRITE");
}  // namespace err

}  // namespace mci
