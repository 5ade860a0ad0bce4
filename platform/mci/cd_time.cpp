#include "platform/mci/cd_time.h"

#include <algorithm>
#include <cstdio>

#include "platform/mci/tokens.h"

namespace mci::cd {

namespace {

constexpr std::int64_t kSectorsPerMinute = 60 * audio::kCdSectorsPerSecond;

std::int64_t field(std::int64_t packed, int index) {
    return (packed >> (8 * index)) & 0xFF;
}

// Minutes, seconds and frames of a count of sectors.
std::int64_t fromMsf(std::int64_t minutes, std::int64_t seconds, std::int64_t frames) {
    return minutes * kSectorsPerMinute + seconds * audio::kCdSectorsPerSecond + frames;
}

std::string msfText(std::int64_t sectors) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(sectors / kSectorsPerMinute),
                  int(sectors / audio::kCdSectorsPerSecond % 60),
                  int(sectors % audio::kCdSectorsPerSecond));
    return text;
}

}  // namespace

std::optional<TimeFormat> ParseTimeFormat(std::string_view word) {
    if (EqualsIgnoringCase(word, "milliseconds") || EqualsIgnoringCase(word, "ms"))
        return TimeFormat::Milliseconds;
    if (EqualsIgnoringCase(word, "msf")) return TimeFormat::Msf;
    if (EqualsIgnoringCase(word, "tmsf")) return TimeFormat::Tmsf;
    return std::nullopt;
}

std::string_view NameOf(TimeFormat format) {
    switch (format) {
        case TimeFormat::Msf:
            return "msf";
        case TimeFormat::Tmsf:
            return "tmsf";
        case TimeFormat::Milliseconds:
            break;
    }
    return "milliseconds";
}

std::optional<std::int64_t> ToSector(std::int64_t value, TimeFormat format,
                                     const audio::CdToc& toc) {
    if (value < 0) return std::nullopt;
    std::int64_t sector = 0;
    switch (format) {
        case TimeFormat::Milliseconds:
            sector = value * audio::kCdSectorsPerSecond / 1000 - kLeadInSectors;
            break;
        case TimeFormat::Msf:
            sector = fromMsf(field(value, 0), field(value, 1), field(value, 2)) - kLeadInSectors;
            break;
        case TimeFormat::Tmsf: {
            const auto track =
                std::ranges::find(toc.tracks, field(value, 0), &audio::CdTrack::number);
            if (track == toc.tracks.end()) return std::nullopt;
            sector =
                track->firstSector + fromMsf(field(value, 1), field(value, 2), field(value, 3));
            break;
        }
    }
    if (sector < toc.tracks.front().firstSector || sector > toc.leadOut) return std::nullopt;
    return sector;
}

const audio::CdTrack& TrackAt(std::int64_t sector, const audio::CdToc& toc) {
    const auto after = std::ranges::find_if(
        toc.tracks, [sector](const audio::CdTrack& track) { return track.firstSector > sector; });
    return after == toc.tracks.begin() ? toc.tracks.front() : *std::prev(after);
}

std::string PositionText(std::int64_t sector, TimeFormat format, const audio::CdToc& toc) {
    switch (format) {
        case TimeFormat::Milliseconds:
            return std::to_string(Milliseconds(sector + kLeadInSectors));
        case TimeFormat::Msf:
            return msfText(sector + kLeadInSectors);
        case TimeFormat::Tmsf: {
            const audio::CdTrack& track = TrackAt(sector, toc);
            char number[8];
            std::snprintf(number, sizeof number, "%02d:", track.number);
            return number + msfText(sector - track.firstSector);
        }
    }
    return {};
}

std::string LengthText(std::int64_t sectors, TimeFormat format) {
    if (format == TimeFormat::Milliseconds) return std::to_string(Milliseconds(sectors));
    return msfText(sectors);
}

}  // namespace mci::cd
