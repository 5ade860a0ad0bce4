#pragma once
// Positions on an audio CD in the time formats of a cdaudio device. Numbers in commands come
// packed a byte a field, lowest first ("2:1:30:0" in tmsf is track 2, 1 min 30 s, frame 0);
// replies are colon-separated two-digit fields ("02:01:30:00"). Milliseconds and msf count
// from the start of the disc's lead-in, two seconds before the first sector.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/audio/cd_audio.h"

namespace mci::cd {

// The lead-in before the first sector, counted in milliseconds and msf positions.
inline constexpr std::int64_t kLeadInSectors = 2 * audio::kCdSectorsPerSecond;

inline std::int64_t Milliseconds(std::int64_t sectors) {
    return sectors * 1000 / audio::kCdSectorsPerSecond;
}

enum class TimeFormat { Milliseconds, Msf, Tmsf };

std::optional<TimeFormat> ParseTimeFormat(std::string_view word);
std::string_view NameOf(TimeFormat format);

// The sector a position given in a command names; nothing when it is not on the disc.
std::optional<std::int64_t> ToSector(std::int64_t value, TimeFormat format,
                                     const audio::CdToc& toc);
// The track holding a sector: the last whose first sector is not after it.
const audio::CdTrack& TrackAt(std::int64_t sector, const audio::CdToc& toc);

std::string PositionText(std::int64_t sector, TimeFormat format, const audio::CdToc& toc);
// A span of sectors: milliseconds, or minutes, seconds and frames in msf and tmsf alike.
std::string LengthText(std::int64_t sectors, TimeFormat format);

}  // namespace mci::cd
