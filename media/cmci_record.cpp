// Recording what an open device plays into a new wave file, and cancelling the wait.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "media/cmci_adv.h"
#include "platform/files.h"
#include "platform/runtime.h"
#include "platform/runtime_error.h"

namespace {

struct SampleFormat {
    std::int16_t alignment;
    std::int32_t bytesPerSec;
};

// Channels times bits must fit 32 bits, the alignment 16 and the bytes per second 32:
// CInt and CLng raise the overflow error otherwise.
SampleFormat sampleFormatOf(std::int32_t bitsPerSample, std::int32_t channels,
                            std::int32_t samplesPerSec) {
    const std::int32_t bits = CLng(static_cast<double>(channels) * bitsPerSample);
    const std::int16_t alignment = CInt(bits / 8.0);
    return {alignment, CLng(static_cast<double>(alignment) * samplesPerSec)};
}

std::optional<std::int32_t> positionIn(const std::string& reply) {
    std::int32_t value;
    const auto [end, error] = std::from_chars(reply.data(), reply.data() + reply.size(), value);
    if (reply.empty() || error != std::errc() || end != reply.data() + reply.size())
        return std::nullopt;
    return value;
}

// Where the wait ends, from the input's length: the asked end if it lies inside, else the last
// millisecond.
std::int32_t endPosition(std::int32_t length, const RecordWaveOptions& o) {
    const std::int32_t asked = CLng(std::fabs(static_cast<double>(o.IN_EndPosition)));
    const std::int32_t last = CLng(static_cast<double>(length) - 1);
    if (IsTrue(o.IN_SpecifyEndPosition) && asked != 0) return std::min(asked, last);
    return last;
}

}  // namespace

void cMCI_Adv::MCIa_RecordCancel() {
    blnCancelRecord = vbTrue;
}

// Makes sure the path can be written before any device is touched; errors from here on
// reach the caller. Gives the path's short form, or empty text.
std::string cMCI_Adv::PrepareRecordingFile(const std::string& path) {
    try {
        Kill(path);
    } catch (const RuntimeError&) {
        // There may be nothing to delete.
    }
    WriteTextFile(path, "0");
    const std::string shortPath = GetShortPath(path);
    if (!shortPath.empty()) Kill(shortPath);
    return shortPath;
}

Boolean cMCI_Adv::MCIa_RecordWave(const std::string& OUT_DeviceAlias,
                                  const std::string& OUT_FilePath, std::int32_t OUT_BitsPerSample,
                                  std::int32_t OUT_Channels, std::int32_t OUT_SamplesPerSec,
                                  const std::string& IN_DeviceAlias, const RecordWaveOptions& o) {
    const std::string path = Trim(OUT_FilePath);
    if (path.empty()) return vbFalse;
    const std::string shortPath = PrepareRecordingFile(path);
    if (shortPath.empty()) return vbFalse;
    const std::string in = Trim(IN_DeviceAlias);
    const std::string out = Trim(OUT_DeviceAlias);
    if (in.empty() || out.empty() || UCase(in) == UCase(out)) return vbFalse;

    const auto guarded = [&](const std::string& command) {
        return IsTrue(SendGuarded(command, o.hCallbackProc, o.ShowErrors));
    };
    const auto cleanUp = [&] {
        for (const std::string& command :
             {"stop " + in, "seek " + in + " to start", "stop " + out, "close " + out})
            SendQuiet(command);
        return vbFalse;
    };

    SendQuiet("stop " + in);
    SendQuiet("stop " + out);
    SendQuiet("close " + out);
    std::string open = "open new type waveaudio alias " + out;
    if (o.RecordInterval > 0) open += " buffer " + CStr(o.RecordInterval);
    if (!guarded(open)) return cleanUp();

    const SampleFormat format = sampleFormatOf(OUT_BitsPerSample, OUT_Channels, OUT_SamplesPerSec);
    if (!guarded("set " + out + " samplespersec " + CStr(OUT_SamplesPerSec) + " channels " +
                 CStr(OUT_Channels) + " bitspersample " + CStr(OUT_BitsPerSample) + " alignment " +
                 CStr(format.alignment) + " bytespersec " + CStr(format.bytesPerSec)) ||
        !guarded("set " + in + " time format milliseconds") ||
        !guarded("set " + out + " time format milliseconds") || !guarded("seek " + in + " to end"))
        return cleanUp();

    std::string reply;
    if (!IsTrue(SendStatus("status " + in + " position", reply))) return cleanUp();
    std::int32_t end = o.IN_EndPosition;
    if (!reply.empty()) {
        const auto length = positionIn(reply);
        if (!length) return cleanUp();
        end = endPosition(*length, o);
    }
    const std::string start =
        IsTrue(o.IN_SpecifyStartPosition) ? CStr(o.IN_StartPosition) : "start";
    if (!guarded("seek " + in + " to " + start) || !guarded("record " + out + " overwrite") ||
        !guarded("play " + in + (IsTrue(o.IN_SpecifyEndPosition) ? " to " + CStr(end) : "")))
        return cleanUp();

    // Polls as fast as it can; each round lets pending events run, MCIa_RecordCancel among them.
    blnCancelRecord = vbFalse;
    bool endReached = false;
    while (!IsTrue(blnCancelRecord) && !endReached) {
        if (!IsTrue(SendStatus("status " + in + " position", reply))) return cleanUp();
        const auto position = positionIn(reply);
        if (!position) return cleanUp();
        endReached = *position >= end;
        DoEvents();
    }

    for (const std::string& command : {"stop " + in, "seek " + in + " to start", "stop " + out,
                                       "save " + out + " " + shortPath, "close " + out})
        SendQuiet(command);
    return vbTrue;
}
