#include "platform/mci/device_factory.h"

#include <cctype>
#include <filesystem>

#include "platform/audio/cd_audio.h"
#include "platform/audio/clip.h"
#include "platform/drives.h"
#include "platform/mci/cd_device.h"
#include "platform/mci/cd_drives.h"
#include "platform/mci/clip_device.h"
#include "platform/mci/command_syntax.h"
#include "platform/mci/empty_device.h"
#include "platform/mci/recording_device.h"
#include "platform/mci/tokens.h"

namespace mci {

namespace {

using Content = DeviceType::Content;

const DeviceType* typeFromExtension(const std::string& element) {
    return DeviceTypeForExtension(std::filesystem::path(element).extension().string());
}

ErrorCode fromLoadError(audio::LoadError error) {
    switch (error) {
        case audio::LoadError::NotFound:
            return err::kFileNotFound;
        case audio::LoadError::Unreadable:
            return err::kFileRead;
        case audio::LoadError::NoSoundfont:
            return err::kSeqNoMidiPresent;
        case audio::LoadError::NoOutput:
            return err::kHardware;
        case audio::LoadError::TooManyFiles:
            return err::kCannotLoadDriver;
        case audio::LoadError::None:
        case audio::LoadError::InvalidFormat:
            return err::kInvalidFile;
    }
    return err::kInvalidFile;
}

OpenResult loadClip(const DeviceType& type, const std::string& element) {
    if (element.size() > drives::kLongestPath) return OpenResult::Failed(err::kOutOfRange);
    const auto file = drives::Resolve(element);
    if (!file) return OpenResult::Failed(err::kFileNotFound);
    std::error_code error;
    if (!std::filesystem::is_regular_file(*file, error)) return OpenResult::Failed(err::kFileRead);
    audio::LoadResult loaded =
        type.content == Content::Song ? audio::LoadMidiFile(*file) : audio::LoadWaveFile(*file);
    if (!loaded.clip) return OpenResult::Failed(fromLoadError(loaded.error));
    std::optional<WaveFormat> format;
    if (type.content == Content::Sound) format = ReadWaveFormat(*file);
    auto device = std::make_unique<ClipDevice>(std::move(loaded.clip), format);
    // Every synthesiser channel is taken by other open songs: this one could only be silent.
    if (!device->Sounds())
        return OpenResult::Failed(
            err::kSeqNoMidiPresent,
            "Every synthesizer channel is taken by other open songs. Close one first.");
    return {std::move(device), err::kNone};
}

// "d:", "d" or "d:\" names drive D; no element names the first CD drive.
std::optional<std::string> cdSourceOf(const std::string& element) {
    if (element.empty()) return FirstCdSource();
    const bool letterOnly = element.size() == 1 || (element[1] == ':' && element.size() <= 3 &&
                                                    (element.size() == 2 || element[2] == '\\'));
    if (!letterOnly || !std::isalpha(static_cast<unsigned char>(element[0]))) return std::nullopt;
    return CdSourceFor(element[0]);
}

// A drive that is absent or holds no disc is not ready; an image that is not one is a bad file.
OpenResult openCd(const std::string& element) {
    const auto source = cdSourceOf(element);
    if (!source) return OpenResult::Failed(err::kHardware);
    audio::CdLoadResult disc = audio::LoadCdAudio(*source);
    switch (disc.error) {
        case audio::CdError::None:
            return {std::make_unique<CdDevice>(*source, std::move(disc.clip), std::move(disc.toc)),
                    err::kNone};
        case audio::CdError::NotADisc:
            return OpenResult::Failed(err::kInvalidFile);
        case audio::CdError::NoDrive:
        case audio::CdError::NoDisc:
        case audio::CdError::NoOutput:
            break;
    }
    return OpenResult::Failed(err::kHardware);
}

// Options that only video devices take, and the buffer that only some audio types take. The
// buffer size itself is not used: the engine sizes its own buffers. "shareable" needs no
// check: every open makes a device of its own, so there is nothing to share.
ErrorCode checkAudioOptions(const Command& open, const DeviceType& type) {
    if (open.Has(Flag::Parent) || open.Has(Flag::Style)) return err::kUnsupportedFunction;
    if (const auto buffer = open.Number(Flag::Buffer)) {
        if (!type.takesBuffer) return err::kUnsupportedFunction;
        if (*buffer < 0) return err::kOutOfRange;
    }
    return err::kNone;
}

// A type word names a kind of device; only the installed types stand behind one here.
ErrorCode checkProvided(const std::string& word) {
    if (word.empty() || !IsDeviceTypeWord(word)) return err::kInvalidDeviceName;
    return FindDeviceType(word) ? err::kNone : err::kCannotLoadDriver;
}

OpenResult makeRecorder(const Command& open) {
    if (!open.Has(Flag::Alias)) return OpenResult::Failed(err::kNewRequiresAlias);
    const std::string word = ToLower(open.Word(Flag::Type).value_or(""));
    if (word.empty()) return OpenResult::Failed(err::kDeviceTypeRequired);
    if (const ErrorCode error = checkProvided(word)) return OpenResult::Failed(error);
    const DeviceType& type = *FindDeviceType(word);
    if (!type.canRecord) return OpenResult::Failed(err::kUnsupportedFunction);
    if (const ErrorCode error = checkAudioOptions(open, type)) return OpenResult::Failed(error);
    return {std::make_unique<RecordingDevice>(), err::kNone, &type};
}

OpenResult openAs(const DeviceType& type, const Command& open) {
    if (const ErrorCode error = checkAudioOptions(open, type)) return OpenResult::Failed(error);
    if (type.content == Content::Disc) return openCd(open.element);
    if (open.element.empty()) return {std::make_unique<EmptyDevice>(), err::kNone};
    return loadClip(type, open.element);
}

}  // namespace

// The type is the "type" given, else the word before "!", else the file's extension.
OpenResult MakeDevice(const Command& open) {
    if (open.deviceType == "new") return makeRecorder(open);
    const auto typeFlag = open.Word(Flag::Type);
    if (typeFlag && !open.deviceType.empty()) return OpenResult::Failed(err::kFlagsNotCompatible);
    const std::string word = ToLower(typeFlag.value_or(open.deviceType));
    const DeviceType* type = word.empty() ? typeFromExtension(open.element) : FindDeviceType(word);
    if (!type) return OpenResult::Failed(checkProvided(word));
    OpenResult made = openAs(*type, open);
    if (made.device) made.type = type;
    return made;
}

}  // namespace mci
