// Positions on a disc in the cdaudio time formats, both ways.
#include "platform/mci/cd_time.h"

#include <gtest/gtest.h>

namespace mci::cd {
namespace {

// Two tracks: 1 at sector 0 for 10 s, 2 at sector 750 for 65 s; a lead-out at 5625.
const audio::CdToc kToc{{{1, 0, 750, true}, {2, 750, 4875, true}}, 5625};

std::int64_t packed(std::initializer_list<std::int64_t> fields) {
    std::int64_t value = 0;
    int shift = 0;
    for (const std::int64_t field : fields) {
        value |= field << shift;
        shift += 8;
    }
    return value;
}

struct SectorCase {
    TimeFormat format;
    std::int64_t value;
    std::optional<std::int64_t> sector;
};

class ToSectorCases : public testing::TestWithParam<SectorCase> {};

TEST_P(ToSectorCases, NameTheSectorOrNothing) {
    EXPECT_EQ(ToSector(GetParam().value, GetParam().format, kToc), GetParam().sector);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ToSectorCases,
    testing::Values(SectorCase{TimeFormat::Milliseconds, 2000, 0},
                    SectorCase{TimeFormat::Milliseconds, 12000, 750},
                    SectorCase{TimeFormat::Milliseconds, 12013, 750},
                    SectorCase{TimeFormat::Milliseconds, 12014, 751},
                    SectorCase{TimeFormat::Milliseconds, 1999, std::nullopt},  // in the lead-in
                    SectorCase{TimeFormat::Milliseconds, 77000, 5625},         // the very end
                    SectorCase{TimeFormat::Milliseconds, 77014, std::nullopt},
                    SectorCase{TimeFormat::Msf, packed({0, 2, 0}), 0},
                    SectorCase{TimeFormat::Msf, packed({0, 12, 1}), 751},
                    SectorCase{TimeFormat::Msf, packed({1, 17, 0}), 5625},
                    SectorCase{TimeFormat::Tmsf, packed({1}), 0},
                    SectorCase{TimeFormat::Tmsf, packed({2}), 750},
                    SectorCase{TimeFormat::Tmsf, packed({2, 1, 4, 74}), 750 + 64 * 75 + 74},
                    SectorCase{TimeFormat::Tmsf, packed({2, 1, 5, 1}), std::nullopt},
                    SectorCase{TimeFormat::Tmsf, packed({3}), std::nullopt},
                    SectorCase{TimeFormat::Tmsf, packed({0}), std::nullopt},
                    SectorCase{TimeFormat::Tmsf, -1, std::nullopt}));

struct TextCase {
    TimeFormat format;
    std::int64_t sector;
    const char* position;
    const char* length;  // of that many sectors
};

class TextCases : public testing::TestWithParam<TextCase> {};

TEST_P(TextCases, ReadAsReplies) {
    EXPECT_EQ(PositionText(GetParam().sector, GetParam().format, kToc), GetParam().position);
    EXPECT_EQ(LengthText(GetParam().sector, GetParam().format), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(Formats, TextCases,
                         testing::Values(TextCase{TimeFormat::Milliseconds, 0, "2000", "0"},
                                         TextCase{TimeFormat::Milliseconds, 751, "12013", "10013"},
                                         TextCase{TimeFormat::Msf, 0, "00:02:00", "00:00:00"},
                                         TextCase{TimeFormat::Msf, 5625, "01:17:00", "01:15:00"},
                                         TextCase{TimeFormat::Tmsf, 0, "01:00:00:00", "00:00:00"},
                                         TextCase{TimeFormat::Tmsf, 749, "01:00:09:74", "00:09:74"},
                                         TextCase{TimeFormat::Tmsf, 750, "02:00:00:00", "00:10:00"},
                                         TextCase{TimeFormat::Tmsf, 750 + 4500 + 80, "02:01:01:05",
                                                  "01:11:05"}));

TEST(CdTimeFormats, AreKnownByTheirWordsInAnyCase) {
    EXPECT_EQ(ParseTimeFormat("TMSF"), TimeFormat::Tmsf);
    EXPECT_EQ(ParseTimeFormat("msf"), TimeFormat::Msf);
    EXPECT_EQ(ParseTimeFormat("ms"), TimeFormat::Milliseconds);
    EXPECT_EQ(ParseTimeFormat("Milliseconds"), TimeFormat::Milliseconds);
    EXPECT_EQ(ParseTimeFormat("bytes"), std::nullopt);
    for (const TimeFormat format : {TimeFormat::Milliseconds, TimeFormat::Msf, TimeFormat::Tmsf})
        EXPECT_EQ(ParseTimeFormat(NameOf(format)), format);
}

}  // namespace
}  // namespace mci::cd
