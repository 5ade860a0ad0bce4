#include "platform/mci/error_table.h"

#include <algorithm>
#include <array>

namespace mci {

namespace {

constexpr std::array kErrors = {
    ErrorEntry{err::kUnrecognizedKeyword, "MCIERR_UNRECOGNIZED_KEYWORD",
               "The command holds a word that this command does not accept."},
    ErrorEntry{err::kUnrecognizedCommand, "MCIERR_UNRECOGNIZED_COMMAND",
               "The command word is not one this media service knows."},
    ErrorEntry{err::kHardware, "MCIERR_HARDWARE",
               "The sound output is not working or not ready. Check that a sound device is "
               "present and free."},
    ErrorEntry{err::kInvalidDeviceName, "MCIERR_INVALID_DEVICE_NAME",
               "No open device has this name, and it is not a device type that can be opened."},
    ErrorEntry{err::kDeviceOpen, "MCIERR_DEVICE_OPEN",
               "A device of this name is open already. Close it first, or open it under another "
               "alias."},
    ErrorEntry{err::kCannotLoadDriver, "MCIERR_CANNOT_LOAD_DRIVER",
               "This device type is known, but this system cannot provide it."},
    ErrorEntry{err::kMissingCommandString, "MCIERR_MISSING_COMMAND_STRING",
               "The command is empty."},
    ErrorEntry{err::kBadInteger, "MCIERR_BAD_INTEGER",
               "A number the command needs is missing or is not a whole number in range."},
    ErrorEntry{err::kMissingParameter, "MCIERR_MISSING_PARAMETER",
               "The command lacks a value it needs, such as a status item or a seek target."},
    ErrorEntry{err::kUnsupportedFunction, "MCIERR_UNSUPPORTED_FUNCTION",
               "This device does not carry out this command or this option."},
    ErrorEntry{err::kFileNotFound, "MCIERR_FILE_NOT_FOUND", "The file named cannot be found."},
    ErrorEntry{err::kCannotUseAll, "MCIERR_CANNOT_USE_ALL",
               "\"all\" cannot name the device in this command."},
    ErrorEntry{err::kOutOfRange, "MCIERR_OUTOFRANGE",
               "A value lies outside what the device accepts, such as a position past the end."},
    ErrorEntry{err::kFlagsNotCompatible, "MCIERR_FLAGS_NOT_COMPATIBLE",
               "The command combines options that cannot be used together."},
    ErrorEntry{err::kFileNotSaved, "MCIERR_FILE_NOT_SAVED",
               "The recording could not be saved. Check that the folder exists."},
    ErrorEntry{err::kDeviceTypeRequired, "MCIERR_DEVICE_TYPE_REQUIRED",
               "A device type such as waveaudio is needed here."},
    ErrorEntry{err::kDuplicateAlias, "MCIERR_DUPLICATE_ALIAS",
               "This alias already names an open device."},
    ErrorEntry{err::kBadConstant, "MCIERR_BAD_CONSTANT",
               "An option was given a value it does not accept."},
    ErrorEntry{err::kMissingDeviceName, "MCIERR_MISSING_DEVICE_NAME",
               "The command does not name a device."},
    ErrorEntry{err::kDuplicateFlags, "MCIERR_DUPLICATE_FLAGS",
               "The same option appears twice in the command."},
    ErrorEntry{err::kInvalidFile, "MCIERR_INVALID_FILE",
               "The file is damaged, cut short or not of a kind this device plays."},
    ErrorEntry{err::kNewRequiresAlias, "MCIERR_NEW_REQUIRES_ALIAS",
               "A new device must be opened with an alias."},
    ErrorEntry{err::kNonapplicableFunction, "MCIERR_NONAPPLICABLE_FUNCTION",
               "The command cannot be carried out in the device's present state, for example "
               "pausing a stopped device or playing a device that has no file."},
    ErrorEntry{err::kSeqNoMidiPresent, "MCIERR_SEQ_NOMIDIPRESENT",
               "There is no synthesizer to play MIDI through. Install a General MIDI soundfont."},
    ErrorEntry{err::kNoWindow, "MCIERR_NO_WINDOW", "This device has no display window."},
    ErrorEntry{err::kFileRead, "MCIERR_FILE_READ", "The file cannot be read."},
    ErrorEntry{err::kFileWrite, "MCIERR_FILE_WRITE",
               "The file cannot be written. Check the folder's permissions and free space."},
};

}  // namespace

std::span<const ErrorEntry> AllErrors() {
    return kErrors;
}

std::string_view ErrorText(ErrorCode number) {
    const auto found = std::ranges::find(kErrors, number, &ErrorEntry::number);
    return found == kErrors.end() ? std::string_view{} : found->text;
}

}  // namespace mci
