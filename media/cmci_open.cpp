// Opening a device: the type word and group of the device code, and the clauses each group takes.
#include <cctype>

#include "media/cmci_adv.h"
#include "platform/runtime.h"

namespace {

enum class Group { CD, Video, Audio, File };

struct DeviceKind {
    const char* typeWord;
    Group group;
};

DeviceKind kindOf(std::int32_t code) {
    switch (code) {
        case 1: return {"cdaudio", Group::CD};
        case 2: return {"avivideo", Group::Video};
        case 3: return {"Sequencer", Group::Audio};
        case 4: return {"WaveAudio", Group::Audio};
        case 5: return {"mpegvideo", Group::Video};
        case 6: return {"mpegvideo2", Group::Video};
        case 7: return {"vcr", Group::Audio};
        case 8: return {"videodisc", Group::Audio};
        case 9: return {"overlay", Group::Video};
        default: return {"other", Group::File};
    }
}

std::string cdOpenCommand(const std::string& typeWord, const std::string& alias,
                          const std::string& filePath) {
    const std::string plain = "open " + typeWord + " alias " + alias + " wait";
    if (filePath.empty()) return plain;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(filePath.front())));
    if (letter < 'a' || letter > 'z') return plain;
    return "open " + std::string(1, letter) + ": type " + typeWord + " alias " + alias + " wait";
}

std::string windowClauses(const OpenOptions& o, const std::string& styleType) {
    std::string clauses;
    if (o.Parent_Handle != 0) clauses += " parent " + CStr(o.Parent_Handle);
    if (IsTrue(o.Shareable)) clauses += " shareable";
    if (IsTrue(o.Style_Child)) clauses += " style child";
    if (IsTrue(o.Style_Overlapped)) clauses += " style overlapped";
    if (IsTrue(o.Style_Popup)) clauses += " style popup";
    if (!styleType.empty()) clauses += " style " + styleType;
    return clauses;
}

}  // namespace

std::string cMCI_Adv::BuildOpenCommand(const std::string& alias, const OpenOptions& o,
                                       const std::string& filePath) const {
    const DeviceKind kind = kindOf(o.DeviceType);
    const std::string typeWord = kind.typeWord;
    // "Exists" here means an ordinary file: folders, hidden and system entries do not count.
    const bool fileExists = !filePath.empty() && !Dir(filePath, vbNormal).empty();
    const std::string typedOpen = fileExists
        ? "open " + typeWord + "!" + filePath + " alias " + alias + " wait"
        : "open " + typeWord + " alias " + alias + " wait";

    switch (kind.group) {
        case Group::CD:
            return cdOpenCommand(typeWord, alias, filePath) + (IsTrue(o.Shareable) ? " shareable" : "");
        case Group::Audio: {
            std::string command = typedOpen;
            if (o.DeviceType == 4 && o.BufferSize > 0) command += " buffer " + CStr(o.BufferSize);
            return command + (IsTrue(o.Shareable) ? " shareable" : "");
        }
        case Group::Video:
            return typedOpen + windowClauses(o, Trim(o.Style_Type));
        case Group::File:
            if (!fileExists) return {};
            return "open " + filePath + " alias " + alias + " wait" + windowClauses(o, Trim(o.Style_Type));
    }
    return {};
}

Boolean cMCI_Adv::MCI_Open(const std::string& DeviceAlias, const OpenOptions& options) {
    const std::string alias = Trim(DeviceAlias);
    if (alias.empty()) return vbFalse;
    const std::string filePath = GetShortPath(Trim(options.FilePath));
    const std::string command = BuildOpenCommand(alias, options, filePath);
    if (command.empty()) return vbFalse;  // a file-type open without an existing file: silent
    return MCIa_SendCommand(command, {.UseReturnString = vbFalse, .hCallbackProc = options.hCallbackProc,
                                      .WaitToComplete = vbFalse, .ShowErrors = options.ShowErrors});
}
