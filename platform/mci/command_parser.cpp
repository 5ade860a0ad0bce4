// Command strings arrive the way the program builds them: paths are not quoted and may hold
// spaces ("open Sequencer!C:\MY MUSIC\A B.MID alias MIDI wait"). A path therefore ends before
// a word that starts one of the command's options. Of the possible ends, the first one that
// names an existing file wins, options valid or not, so that a mistake in the options is
// reported as such. Failing that, the first end after which the rest reads as valid options
// wins: "C:\A WAIT B.MID alias X" keeps its " WAIT " because "WAIT B.MID alias X" does not
// read as options.
#include <algorithm>

#include "platform/mci/command.h"
#include "platform/mci/command_syntax.h"
#include "platform/mci/flag_parser.h"
#include "platform/mci/tokens.h"

namespace mci {

namespace {

// Each possible end of a path reads the rest of the line again; this bounds the work on a
// line made of option words, far beyond what a real path holds.
constexpr std::size_t kMostPathEnds = 16;

struct PathAndFlags {
    std::string path;
    ErrorCode error = err::kNone;
};

std::string_view rawText(std::string_view source, const Token& first, const Token& last) {
    return source.substr(first.begin, last.end - first.begin);
}

// The file a candidate path of "open" names: the part after "type!", if any.
std::string elementOf(const std::string& path) {
    const auto bang = path.find('!');
    return bang == std::string::npos ? path : path.substr(bang + 1);
}

// Splits `words` (taken from `source`) into a leading path and the options after it.
PathAndFlags takePathThenFlags(std::string_view source, std::span<const Token> words,
                               Command& command, const FileProbe& isFile) {
    if (words[0].quoted) {
        PathAndFlags result{words[0].text};
        result.error = ParseFlags(words.subspan(1), command);
        return result;
    }
    std::optional<PathAndFlags> firstTry;
    std::optional<std::pair<PathAndFlags, Command>> firstValid;
    std::size_t tried = 0;
    for (std::size_t end = 1; end <= words.size() && tried < kMostPathEnds; ++end) {
        if (end < words.size() && !StartsFlag(command.verb, words[end])) continue;
        ++tried;
        PathAndFlags result{std::string(rawText(source, words[0], words[end - 1]))};
        const bool existing = isFile && isFile(elementOf(result.path));
        if (!existing && firstValid) continue;
        Command attempt = command;
        result.error = ParseFlags(words.subspan(end), attempt);
        if (existing) {
            command = std::move(attempt);
            return result;
        }
        if (result.error == err::kNone) firstValid.emplace(result, std::move(attempt));
        if (!firstTry) firstTry = std::move(result);
    }
    if (!firstValid) return *firstTry;
    command = std::move(firstValid->second);
    return firstValid->first;
}

// What the device part of "open" names: "type!element", "new", a type word, or a file.
ErrorCode describeOpenTarget(const std::string& target, bool wholeQuoted, Command& command) {
    if (target.empty()) return err::kMissingDeviceName;
    const auto bang = target.find('!');
    if (!wholeQuoted && bang != std::string::npos) {
        command.deviceType = ToLower(target.substr(0, bang));
        command.element = target.substr(bang + 1);
        if (command.element.empty()) return err::kMissingParameter;
    } else if (!wholeQuoted && (EqualsIgnoringCase(target, "new") || IsDeviceTypeWord(target))) {
        command.deviceType = ToLower(target);
    } else {
        command.element = target;
    }
    command.device = command.element.empty() ? command.deviceType : command.element;
    return err::kNone;
}

ErrorCode parseOpen(std::string_view source, std::span<const Token> words, Command& command,
                    const FileProbe& isFile) {
    if (words.empty() || StartsFlag(Verb::Open, words[0])) return err::kMissingDeviceName;
    const bool wholeQuoted = source[words[0].begin] == '"';
    const PathAndFlags target = takePathThenFlags(source, words, command, isFile);
    if (target.error != err::kNone) return target.error;
    return describeOpenTarget(target.path, wholeQuoted, command);
}

ErrorCode parseSave(std::string_view source, std::span<const Token> words, Command& command) {
    if (words.empty() || StartsFlag(Verb::Save, words[0])) return err::kMissingParameter;
    PathAndFlags target = takePathThenFlags(source, words, command, {});
    command.element = std::move(target.path);
    return target.error;
}

std::size_t countOf(const Command& command, std::initializer_list<Flag> flags) {
    return std::ranges::count_if(flags, [&command](Flag flag) { return command.Has(flag); });
}

// Exactly one of `flags` must be present.
ErrorCode requireOne(const Command& command, std::initializer_list<Flag> flags) {
    const std::size_t count = countOf(command, flags);
    if (count == 0) return err::kMissingParameter;
    return count > 1 ? err::kFlagsNotCompatible : err::kNone;
}

ErrorCode checkCombination(const Command& command) {
    using enum Flag;
    switch (command.verb) {
        case Verb::Status:
            if (command.Has(Track) && countOf(command, {Position, Length}) == 0)
                return err::kFlagsNotCompatible;
            return requireOne(
                command, {Position, Length, Mode, Ready, WindowHandle, TimeFormatItem, MediaPresent,
                          NumberOfTracks, CurrentTrack, StartPosition, SamplesPerSec, Channels,
                          BitsPerSample, BytesPerSec, Alignment, FormatTag, Level});
        case Verb::Capability:
            return requireOne(command, {CanPlay, CanRecord, CanSave, CanEject, UsesFiles, HasAudio,
                                        HasVideo, DeviceType, CompoundDevice, Inputs, Outputs});
        case Verb::Info:
            return requireOne(command, {Product, File});
        case Verb::Sysinfo:
            if (command.Has(OpenOnly) && command.Has(InstallName)) return err::kFlagsNotCompatible;
            return requireOne(command, {Quantity, Name, InstallName});
        case Verb::Where:
            return requireOne(command, {PutSource, PutDestination, PutWindow});
        case Verb::Cue:
            return countOf(command, {Input, Output}) > 1 ? err::kFlagsNotCompatible : err::kNone;
        case Verb::Seek:
            return requireOne(command, {To, ToStart, ToEnd});
        case Verb::Put:
            return requireOne(command, {PutWindow, PutWindowClient, PutSource, PutDestination});
        case Verb::Set:
            if (countOf(command, {DoorOpen, DoorClosed}) > 1) return err::kFlagsNotCompatible;
            return command.flags.size() > countOf(command, {Wait, Notify}) ? err::kNone
                                                                           : err::kMissingParameter;
        case Verb::Window:
            return countOf(command, {Handle, Text, State}) > 0 ? err::kNone
                                                               : err::kMissingParameter;
        case Verb::Play:
            // A repeating play never ends, so waiting for it would never return.
            return countOf(command, {Repeat, Wait}) > 1 ? err::kFlagsNotCompatible : err::kNone;
        case Verb::Record:
            return countOf(command, {Overwrite, Insert}) > 1 ? err::kFlagsNotCompatible
                                                             : err::kNone;
        default:
            return err::kNone;
    }
}

ErrorCode parseRest(std::string_view source, std::span<const Token> words, Command& command,
                    const FileProbe& isFile) {
    if (command.verb == Verb::Open) return parseOpen(source, words, command, isFile);
    if (words.empty()) return err::kMissingDeviceName;
    command.device = words[0].text;
    if (command.verb == Verb::Save) return parseSave(source, words.subspan(1), command);
    return ParseFlags(words.subspan(1), command);
}

}  // namespace

ParseResult ParseCommand(std::string_view text, const FileProbe& isFile) {
    ParseResult result;
    const std::vector<Token> words = Tokenize(text);
    if (words.empty()) {
        result.error = err::kMissingCommandString;
        return result;
    }
    const auto verb = FindVerb(words[0].text);
    if (!verb || words[0].quoted) {
        result.error = err::kUnrecognizedCommand;
        return result;
    }
    result.command.verb = *verb;
    result.error = parseRest(text, std::span(words).subspan(1), result.command, isFile);
    if (result.error == err::kNone) result.error = checkCombination(result.command);
    return result;
}

}  // namespace mci
