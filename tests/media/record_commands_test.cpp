// The commands wave recording sends, their order, the format arithmetic and every way out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "media/cmci_adv.h"
#include "platform/runtime_error.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::Not;
using ::testing::Throws;

class RecordWaveCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.MakeFolder("takes");
        recorder.Answer("status WAVE position", 0, "60000");
        recorder.Clear();
    }

    Boolean Record(std::int32_t bits, std::int32_t channels, std::int32_t rate,
                   const RecordWaveOptions& options = {}) {
        recorder.Clear();
        return mci.MCIa_RecordWave("REC", kPath, bits, channels, rate, "WAVE", options);
    }

    static constexpr const char* kPath = "R:\\takes\\take.wav";
    test_support::MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    test_support::TempFolder folder;
    test_support::ScopedDrives drive{{{'R', folder.path(), "test"}}};
    cMCI_Adv mci;
};

// Only guarded commands name the callback window and only status queries pass a reply buffer.
TEST_F(RecordWaveCommands, SendsEveryStepInOrder) {
    ASSERT_EQ(Record(8, 1, 11025, {.hCallbackProc = 77}), vbTrue);
    std::vector<std::string> sent;  // "command | reply length | callback window"
    for (const auto& call : recorder.calls)
        sent.push_back(call.command + " | " + std::to_string(call.returnLength) + " | " +
                       std::to_string(call.callbackWindow));
    EXPECT_THAT(
        sent, ElementsAre("stop WAVE | 0 | 0", "stop REC | 0 | 0", "close REC | 0 | 0",
                          "open new type waveaudio alias REC | 0 | 77",
                          "set REC samplespersec 11025 channels 1 bitspersample 8 "
                          "alignment 1 bytespersec 11025 | 0 | 77",
                          "set WAVE time format milliseconds | 0 | 77",
                          "set REC time format milliseconds | 0 | 77", "seek WAVE to end | 0 | 77",
                          "status WAVE position | 260 | 0", "seek WAVE to start | 0 | 77",
                          "record REC overwrite | 0 | 77", "play WAVE | 0 | 77",
                          "status WAVE position | 260 | 0", "stop WAVE | 0 | 0",
                          "seek WAVE to start | 0 | 0", "stop REC | 0 | 0",
                          "save REC R:\\TAKES\\TAKE.WAV | 0 | 0", "close REC | 0 | 0"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "takes" / "take.wav"))
        << "the placeholder file is gone; the service writes the recording";
}

// The alignment rounds halves to even.
TEST_F(RecordWaveCommands, ComposesTheFormat) {
    const struct {
        std::int32_t bits, channels, rate;
        const char* expected;
    } cases[] = {
        {4, 1, 8000, "samplespersec 8000 channels 1 bitspersample 4 alignment 0 bytespersec 0"},
        {12, 3, 1000,
         "samplespersec 1000 channels 3 bitspersample 12 alignment 4 bytespersec 4000"},
        {22, 2, 1000,
         "samplespersec 1000 channels 2 bitspersample 22 alignment 6 bytespersec 6000"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Record(c.bits, c.channels, c.rate), vbTrue) << c.expected;
        EXPECT_THAT(recorder.Commands(), Contains(std::string("set REC ") + c.expected));
    }
}

TEST_F(RecordWaveCommands, ComposesTheOpenSeekAndPlayClauses) {
    const struct {
        RecordWaveOptions options;
        const char* expected;  // sent
        const char* absent;    // not sent, or nullptr
    } cases[] = {
        // A negative end is taken as its size; one past the length or zero is the last.
        {{.IN_SpecifyEndPosition = vbTrue, .IN_EndPosition = -5000}, "play WAVE to 5000", nullptr},
        {{.IN_SpecifyEndPosition = vbTrue, .IN_EndPosition = 90000}, "play WAVE to 59999", nullptr},
        {{.IN_SpecifyEndPosition = vbTrue}, "play WAVE to 59999", nullptr},
        {{.IN_EndPosition = 5000}, "play WAVE", "play WAVE to 5000"},
        // The start is not checked.
        {{.IN_SpecifyStartPosition = vbTrue, .IN_StartPosition = -20}, "seek WAVE to -20", nullptr},
        {{.RecordInterval = 5}, "open new type waveaudio alias REC buffer 5", nullptr},
        {{.RecordInterval = -3},
         "open new type waveaudio alias REC",
         "open new type waveaudio alias REC buffer -3"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Record(16, 1, 8000, c.options), vbTrue) << c.expected;
        EXPECT_THAT(recorder.Commands(), Contains(c.expected));
        if (c.absent) {
            EXPECT_THAT(recorder.Commands(), Not(Contains(c.absent)));
        }
    }
}

// A refused guarded command is reported; a refused or unreadable status is not. Both end in
// the clean-up, before anything is recorded. A refused save is quiet.
TEST_F(RecordWaveCommands, AFailureCleansUpBeforeRecording) {
    recorder.Answer("save", 263);
    ASSERT_EQ(Record(16, 2, 44100, {.ShowErrors = vbTrue}), vbTrue);
    EXPECT_TRUE(boxes.boxes.empty());
    const struct {
        const char* failing;
        std::uint32_t code;
        const char* reply;
        std::size_t boxes;
    } cases[] = {
        // in this order: the stand-in keeps every answer it is given
        {"status WAVE position", 263, "", 0},
        {"status WAVE position", 0, "12x", 0},
        {"set WAVE time format milliseconds", 263, "", 1},
    };
    for (const auto& c : cases) {
        recorder.Answer(c.failing, c.code, c.reply);
        boxes.boxes.clear();
        EXPECT_EQ(Record(16, 2, 44100, {.ShowErrors = vbTrue}), vbFalse) << c.failing;
        const auto commands = recorder.Commands();
        ASSERT_GE(commands.size(), 5u);
        EXPECT_THAT(
            std::vector(commands.end() - 5, commands.end()),
            ElementsAre(c.failing, "stop WAVE", "seek WAVE to start", "stop REC", "close REC"));
        EXPECT_EQ(boxes.boxes.size(), c.boxes) << c.failing;
    }
}

// A blank path or alias, or the same alias twice, is refused and an unwritable path raises, all
// before any command; a format that does not fit raises after the open.
TEST_F(RecordWaveCommands, RefusesOrRaisesBeforeSendingAnything) {
    struct Case {
        const char *out, *path, *in;
    };
    for (const Case& c : {Case{"REC", "   ", "WAVE"}, Case{"wave", kPath, "WAVE"},
                          Case{" ", kPath, "WAVE"}, Case{"REC", kPath, "  "}}) {
        EXPECT_EQ(mci.MCIa_RecordWave(c.out, c.path, 16, 2, 44100, c.in), vbFalse) << c.out << c.in;
    }
    EXPECT_THAT([&] { mci.MCIa_RecordWave("REC", "R:\\no such\\take.wav", 16, 2, 44100, "WAVE"); },
                Throws<RuntimeError>(Field(&RuntimeError::Number, vberr::PathNotFound)));
    EXPECT_TRUE(recorder.calls.empty()) << "before any command";

    struct Format {
        std::int32_t bits, channels, rate;
    };
    for (const Format& c :
         {Format{65536, 65536, 8000}, Format{100, 10000, 8000}, Format{16, 2, 1'000'000'000}}) {
        EXPECT_THAT([&] { Record(c.bits, c.channels, c.rate); },
                    Throws<RuntimeError>(Field(&RuntimeError::Number, vberr::Overflow)))
            << c.bits << "x" << c.channels;
        EXPECT_EQ(recorder.Commands().back(), "open new type waveaudio alias REC") << "after it";
    }
}

}  // namespace
