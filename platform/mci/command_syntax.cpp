#include "platform/mci/command_syntax.h"

#include <algorithm>
#include <array>

#include "platform/mci/tokens.h"

namespace mci {

namespace {

using enum ValueKind;

constexpr FlagSyntax kWait{Flag::Wait, "wait", None};
constexpr FlagSyntax kNotify{Flag::Notify, "notify", None};

constexpr std::array kOpenFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::Alias, "alias", Word},
    FlagSyntax{Flag::Type, "type", Word},
    FlagSyntax{Flag::Shareable, "shareable", None},
    FlagSyntax{Flag::Buffer, "buffer", Integer},
    FlagSyntax{Flag::Parent, "parent", Integer},
    FlagSyntax{Flag::Style, "style", Word},
};

constexpr std::array kPlainFlags = {kWait, kNotify};

constexpr std::array kPlayFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::From, "from", Integer},
    FlagSyntax{Flag::To, "to", Integer},
    FlagSyntax{Flag::Repeat, "repeat", None},
    FlagSyntax{Flag::Fullscreen, "fullscreen", None},
};

constexpr std::array kSeekFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::To, "to", Integer},
    FlagSyntax{Flag::ToStart, "to start", None},
    FlagSyntax{Flag::ToEnd, "to end", None},
};

constexpr std::array kSetFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::TimeFormat, "time format", Word},
    FlagSyntax{Flag::SamplesPerSec, "samplespersec", Integer},
    FlagSyntax{Flag::Channels, "channels", Integer},
    FlagSyntax{Flag::BitsPerSample, "bitspersample", Integer},
    FlagSyntax{Flag::Alignment, "alignment", Integer},
    FlagSyntax{Flag::BytesPerSec, "bytespersec", Integer},
    FlagSyntax{Flag::DoorOpen, "door open", None},
    FlagSyntax{Flag::DoorClosed, "door closed", None},
    FlagSyntax{Flag::FormatTag, "format tag", Word},
};

constexpr std::array kStatusFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::Position, "position", None},
    FlagSyntax{Flag::Length, "length", None},
    FlagSyntax{Flag::Mode, "mode", None},
    FlagSyntax{Flag::Ready, "ready", None},
    FlagSyntax{Flag::WindowHandle, "window handle", None},
    FlagSyntax{Flag::TimeFormatItem, "time format", None},
    FlagSyntax{Flag::MediaPresent, "media present", None},
    FlagSyntax{Flag::NumberOfTracks, "number of tracks", None},
    FlagSyntax{Flag::CurrentTrack, "current track", None},
    FlagSyntax{Flag::StartPosition, "start position", None},
    FlagSyntax{Flag::Track, "track", Integer},
    FlagSyntax{Flag::SamplesPerSec, "samplespersec", None},
    FlagSyntax{Flag::Channels, "channels", None},
    FlagSyntax{Flag::BitsPerSample, "bitspersample", None},
    FlagSyntax{Flag::BytesPerSec, "bytespersec", None},
    FlagSyntax{Flag::Alignment, "alignment", None},
    FlagSyntax{Flag::FormatTag, "format tag", None},
    FlagSyntax{Flag::Level, "level", None},
};

constexpr std::array kCapabilityFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::CanPlay, "can play", None},
    FlagSyntax{Flag::CanRecord, "can record", None},
    FlagSyntax{Flag::CanSave, "can save", None},
    FlagSyntax{Flag::CanEject, "can eject", None},
    FlagSyntax{Flag::UsesFiles, "uses files", None},
    FlagSyntax{Flag::HasAudio, "has audio", None},
    FlagSyntax{Flag::HasVideo, "has video", None},
    FlagSyntax{Flag::DeviceType, "device type", None},
    FlagSyntax{Flag::CompoundDevice, "compound device", None},
    FlagSyntax{Flag::Inputs, "inputs", None},
    FlagSyntax{Flag::Outputs, "outputs", None},
};

constexpr std::array kInfoFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::Product, "product", None},
    FlagSyntax{Flag::File, "file", None},
};

constexpr std::array kSysinfoFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::Quantity, "quantity", None},
    FlagSyntax{Flag::OpenOnly, "open", None},
    FlagSyntax{Flag::Name, "name", Integer},
    FlagSyntax{Flag::InstallName, "installname", None},
};

constexpr std::array kCueFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::Input, "input", None},
    FlagSyntax{Flag::Output, "output", None},
    FlagSyntax{Flag::To, "to", Integer},
};

constexpr std::array kDeleteFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::From, "from", Integer},
    FlagSyntax{Flag::To, "to", Integer},
};

constexpr std::array kWhereFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::PutSource, "source", None},
    FlagSyntax{Flag::PutDestination, "destination", None},
    FlagSyntax{Flag::PutWindow, "window", None},
};

constexpr std::array kRecordFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::From, "from", Integer},
    FlagSyntax{Flag::To, "to", Integer},
    FlagSyntax{Flag::Overwrite, "overwrite", None},
    FlagSyntax{Flag::Insert, "insert", None},
};

constexpr std::array kPutFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::PutWindow, "window", OptionalArea},
    FlagSyntax{Flag::PutWindowClient, "window client", None},
    FlagSyntax{Flag::PutSource, "source", OptionalArea},
    FlagSyntax{Flag::PutDestination, "destination", OptionalArea},
};

constexpr std::array kWindowFlags = {
    kWait,
    kNotify,
    FlagSyntax{Flag::Handle, "handle", Word},
    FlagSyntax{Flag::Text, "text", Word},
    FlagSyntax{Flag::State, "state", Word},
};

struct VerbSyntax {
    Verb verb;
    std::string_view word;
    std::span<const FlagSyntax> flags;
};

const std::array kVerbs = {
    VerbSyntax{Verb::Open, "open", kOpenFlags},
    VerbSyntax{Verb::Close, "close", kPlainFlags},
    VerbSyntax{Verb::Play, "play", kPlayFlags},
    VerbSyntax{Verb::Pause, "pause", kPlainFlags},
    VerbSyntax{Verb::Resume, "resume", kPlainFlags},
    VerbSyntax{Verb::Stop, "stop", kPlainFlags},
    VerbSyntax{Verb::Seek, "seek", kSeekFlags},
    VerbSyntax{Verb::Set, "set", kSetFlags},
    VerbSyntax{Verb::Status, "status", kStatusFlags},
    VerbSyntax{Verb::Record, "record", kRecordFlags},
    VerbSyntax{Verb::Save, "save", kPlainFlags},
    VerbSyntax{Verb::Put, "put", kPutFlags},
    VerbSyntax{Verb::Window, "window", kWindowFlags},
    VerbSyntax{Verb::Where, "where", kWhereFlags},
    VerbSyntax{Verb::Capability, "capability", kCapabilityFlags},
    VerbSyntax{Verb::Info, "info", kInfoFlags},
    VerbSyntax{Verb::Sysinfo, "sysinfo", kSysinfoFlags},
    VerbSyntax{Verb::Cue, "cue", kCueFlags},
    VerbSyntax{Verb::Delete, "delete", kDeleteFlags},
};

// The numbers of the status items, as the constants of the MCI's binary interface give them.
struct NumberedItem {
    std::int64_t number;
    Flag flag;
};

constexpr std::array kNumberedStatusItems = {
    NumberedItem{1, Flag::Length},
    NumberedItem{2, Flag::Position},
    NumberedItem{3, Flag::NumberOfTracks},
    NumberedItem{4, Flag::Mode},
    NumberedItem{5, Flag::MediaPresent},
    NumberedItem{6, Flag::TimeFormatItem},
    NumberedItem{7, Flag::Ready},
    NumberedItem{8, Flag::CurrentTrack},
    NumberedItem{0x4001, Flag::FormatTag},
    NumberedItem{0x4002, Flag::Channels},
    NumberedItem{0x4003, Flag::SamplesPerSec},
    NumberedItem{0x4004, Flag::BytesPerSec},
    NumberedItem{0x4005, Flag::Alignment},
    NumberedItem{0x4006, Flag::BitsPerSample},
    NumberedItem{0x4007, Flag::Level},
};

constexpr std::array<std::string_view, 15> kDeviceTypeWords = {
    "animation", "avivideo",  "cdaudio",    "dat",       "digitalvideo",
    "mmmovie",   "mpegvideo", "mpegvideo2", "other",     "overlay",
    "scanner",   "sequencer", "vcr",        "videodisc", "waveaudio",
};
static_assert(std::ranges::is_sorted(kDeviceTypeWords), "looked up by binary search");

}  // namespace

std::optional<Verb> FindVerb(std::string_view word) {
    const auto found = std::ranges::find_if(
        kVerbs, [word](const VerbSyntax& verb) { return EqualsIgnoringCase(verb.word, word); });
    if (found == kVerbs.end()) return std::nullopt;
    return found->verb;
}

std::span<const FlagSyntax> FlagsOf(Verb verb) {
    return std::ranges::find(kVerbs, verb, &VerbSyntax::verb)->flags;
}

std::optional<Flag> StatusItemNumbered(std::int64_t number) {
    const auto found = std::ranges::find(kNumberedStatusItems, number, &NumberedItem::number);
    if (found == kNumberedStatusItems.end()) return std::nullopt;
    return found->flag;
}

bool IsDeviceTypeWord(std::string_view word) {
    return std::ranges::binary_search(kDeviceTypeWords, ToLower(word));
}

}  // namespace mci
