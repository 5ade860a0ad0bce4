// Recording what plays into a new wave device and saving it, in the order the program's
// recording helper sends its commands.
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/mci/service_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

struct WaveHeader {
    int channels = 0;
    int samplesPerSec = 0;
    int bitsPerSample = 0;
    std::size_t dataBytes = 0;
    int loudest = 0;  // largest 16-bit sample magnitude
};

std::uint32_t little(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Reads a canonical 44-byte-header PCM file as the recorder writes it.
WaveHeader readWave(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    WaveHeader header;
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return header;
    header.channels = static_cast<int>(little(bytes, 22, 2));
    header.samplesPerSec = static_cast<int>(little(bytes, 24, 4));
    header.bitsPerSample = static_cast<int>(little(bytes, 34, 2));
    const auto data = bytes.find("data", 36);
    if (data == std::string::npos) return header;
    header.dataBytes = std::min<std::size_t>(little(bytes, data + 4, 4), bytes.size() - data - 8);
    for (std::size_t at = data + 8; at + 1 < data + 8 + header.dataBytes; at += 2)
        header.loudest =
            std::max(header.loudest, std::abs(static_cast<std::int16_t>(little(bytes, at, 2))));
    return header;
}

class Recording : public ServiceTest {};

TEST_F(Recording, WhatPlaysIsSavedInTheSetFormat) {
    Write("Sound In/tone.wav", sound_files::ToneWave(800, 22050, 2));
    folder.MakeFolder("Takes Out");
    test_support::ScopedDrives drive({{'R', folder.path(), "test"}});
    ASSERT_EQ(Send("open WaveAudio!R:\\SOUND IN\\TONE.WAV alias IN wait").code, 0u);

    Send("stop IN");
    Send("stop REC");
    Send("close REC");
    ASSERT_EQ(Send("open new type waveaudio alias REC buffer 5").code, 0u);
    ASSERT_EQ(Send("set REC samplespersec 44100 channels 2 bitspersample 16 alignment 4 "
                   "bytespersec 176400")
                  .code,
              0u);
    ASSERT_EQ(Send("set IN time format milliseconds").code, 0u);
    ASSERT_EQ(Send("set REC time format milliseconds").code, 0u);
    ASSERT_EQ(Send("seek IN to end").code, 0u);
    const std::int64_t length = NumberOf("status IN position");
    ASSERT_EQ(length, 800);
    ASSERT_EQ(Send("seek IN to start").code, 0u);
    ASSERT_EQ(Send("record REC overwrite").code, 0u);
    EXPECT_EQ(Send("status REC mode").text, "recording");
    ASSERT_EQ(Send("play IN to " + std::to_string(length - 1)).code, 0u);
    // The program polls until the position reaches the "to" of its play.
    test_support::Eventually([&] { return NumberOf("status IN position") >= length - 1; },
                             std::chrono::seconds(3));
    EXPECT_EQ(NumberOf("status IN position"), length - 1);
    Send("stop IN");
    Send("seek IN to start");
    Send("stop REC");
    EXPECT_EQ(Send("status REC mode").text, "stopped");
    const std::int64_t recorded = NumberOf("status REC position");
    EXPECT_GE(recorded, 780);
    EXPECT_EQ(Send("save REC R:\\TAKES OUT\\TAKE 1.WAV").code, 0u);
    EXPECT_EQ(Send("close REC").code, 0u);

    const WaveHeader saved = readWave(folder.path() / "Takes Out" / "TAKE 1.WAV");
    EXPECT_EQ(saved.channels, 2);
    EXPECT_EQ(saved.samplesPerSec, 44100);
    EXPECT_EQ(saved.bitsPerSample, 16);
    const std::int64_t savedMs = static_cast<std::int64_t>(saved.dataBytes) * 1000 / 176400;
    EXPECT_NEAR(savedMs, recorded, 30);
    EXPECT_GT(saved.loudest, 1000) << "the tone was recorded, not silence";
}

TEST_F(Recording, FormatAndStateRulesOfTheRecorder) {
    ASSERT_EQ(Send("open new type waveaudio alias REC").code, 0u);
    EXPECT_EQ(Send("set REC channels 9").code, 282u);
    EXPECT_EQ(Send("set REC bitspersample 12").code, 282u);
    EXPECT_EQ(Send("set REC samplespersec 10").code, 282u);
    EXPECT_EQ(Send("set REC channels 2 bitspersample 16 alignment 2").code, 282u);
    EXPECT_EQ(Send("set REC samplespersec 8000 channels 1 bitspersample 8 alignment 1 "
                   "bytespersec 8000")
                  .code,
              0u);
    EXPECT_EQ(Send("pause REC").code, 302u);
    EXPECT_EQ(Send("resume REC").code, 302u);
    EXPECT_EQ(Send("play REC").code, 274u);
    ASSERT_EQ(Send("record REC").code, 0u);
    EXPECT_EQ(Send("save REC " + (folder.path() / "early.wav").string()).code, 302u);
    EXPECT_EQ(Send("pause REC").code, 0u);
    EXPECT_EQ(Send("status REC mode").text, "paused");
    EXPECT_EQ(Send("resume REC").code, 0u);
    Send("stop REC");
    EXPECT_EQ(Send("set REC channels 2").code, 302u) << "the format is fixed once recorded";
    const Reply noFolder =
        Send("save REC " + (folder.path() / "no such folder" / "x.wav").string());
    EXPECT_EQ(noFolder.code, 286u);
    mkfifo((folder.path() / "pipe.wav").c_str(), 0600);
    for (const std::filesystem::path& bad : {folder.path(), folder.path() / "pipe.wav",
                                             folder.path() / (std::string(300, 'n') + ".wav")}) {
        const Reply reply = Send("save REC " + bad.string());
        EXPECT_EQ(reply.code, 286u) << bad;
        EXPECT_NE(reply.text, noFolder.text) << bad << ": says what is wrong with the path";
    }
    EXPECT_EQ(Send("save REC " + (folder.path() / "8 bit.wav").string()).code, 0u);
    EXPECT_EQ(readWave(folder.path() / "8 bit.wav").bitsPerSample, 8);
}

}  // namespace
}  // namespace mci_test
