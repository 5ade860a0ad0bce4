#pragma once
// A command string taken apart: its verb, the device it names and its options.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/mci/error_codes.h"

namespace mci {

enum class Verb {
    Open,
    Close,
    Play,
    Pause,
    Resume,
    Stop,
    Seek,
    Set,
    Status,
    Record,
    Save,
    Put,
    Window,
    Where,
    Capability,
    Info,
    Sysinfo,
    Cue,
    Delete
};

enum class Flag {
    Wait,
    Notify,
    // open
    Alias,
    Type,
    Shareable,
    Buffer,
    Parent,
    Style,
    // play and seek
    From,
    To,
    ToStart,
    ToEnd,
    Repeat,
    Fullscreen,
    // set
    TimeFormat,
    SamplesPerSec,
    Channels,
    BitsPerSample,
    Alignment,
    BytesPerSec,
    DoorOpen,
    DoorClosed,
    // status
    Position,
    Length,
    Mode,
    Ready,
    WindowHandle,
    TimeFormatItem,
    MediaPresent,
    NumberOfTracks,
    CurrentTrack,
    StartPosition,
    Track,      // "position track N", "length track N"
    FormatTag,  // set: "format tag pcm"; status: the item
    Level,
    // capability
    CanPlay,
    CanRecord,
    CanSave,
    CanEject,
    UsesFiles,
    HasAudio,
    HasVideo,
    DeviceType,
    CompoundDevice,
    Inputs,
    Outputs,
    // info
    Product,
    File,
    // sysinfo
    Quantity,
    OpenOnly,  // "quantity open", "name N open"
    Name,
    InstallName,
    // cue
    Input,
    Output,
    // record
    Overwrite,
    Insert,
    // put and window
    PutWindow,
    PutWindowClient,
    PutSource,
    PutDestination,
    Handle,
    Text,
    State,
};

struct Rect {
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// A flag without a value holds monostate, as does "put ... window" without "at".
using FlagValue = std::variant<std::monostate, std::int64_t, std::string, Rect>;

struct Command {
    Verb verb = Verb::Open;
    // The alias a command acts on, or "all". For open: the name the device will be known by
    // when no alias is given (the element, or the type word of a bare device).
    std::string device;
    // open: the type word before "!", or the word alone ("sequencer", "new"); lower case.
    std::string deviceType;
    // open: the file ("type!file" or a bare path); save: the file to write.
    std::string element;
    std::map<Flag, FlagValue> flags;
    std::vector<std::string> styles;  // "style" may be given more than once

    bool Has(Flag flag) const { return flags.contains(flag); }
    std::optional<std::int64_t> Number(Flag flag) const;
    std::optional<std::string> Word(Flag flag) const;
    std::optional<Rect> Area(Flag flag) const;
};

struct ParseResult {
    Command command;
    ErrorCode error = err::kNone;
};

// Answers whether a path names an existing file; it settles where an unquoted path with
// spaces ends in "open" (see command_parser.cpp).
using FileProbe = std::function<bool(const std::string& path)>;

// Takes a command string apart. Looks at no file itself, only through `isFile` when given.
ParseResult ParseCommand(std::string_view text, const FileProbe& isFile = {});

}  // namespace mci
