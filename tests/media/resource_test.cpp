// The program's resources through the media class, each kind in its own format, and every box
// the members show for bad input; drive kinds over a made-up mount table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "media/cmci_adv.h"
#include "platform/core/mount_table.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_application.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string programResource(const char* name) {
    return contents(fs::path(CORVALA_SOURCE_DIR) / "resources" / "program" / name);
}

class ResourceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }
    void SetUp() override { folder.MakeFolder("out"); }
    fs::path Out(const char* name) const { return folder.path() / "out" / name; }

    test_support::MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    test_support::TempFolder folder;
    test_support::ScopedDrives drive{{{'R', folder.path(), "test"}}};
    cMCI_Adv mci;
};

TEST_F(ResourceTest, SavesEachKindInItsOwnFormat) {
    const struct {
        const char* name;
        std::int32_t type;
        std::int32_t id;
        const char* typeName;
        std::string expected;
    } cases[] = {
        {"logo.bmp", 0, 101, "CUSTOM", programResource("corvala.bmp")},
        {"logo.ico", 1, 101, "CUSTOM", programResource("corvala.ico")},
        {"pointer.cur", 2, 101, "CUSTOM", programResource("pointer.cur")},
        {"title.txt", 3, 101, "CUSTOM", "Corvala"},
        {"chime.wav", 4, 101, "CUSTOM", programResource("chime.wav")},
        {"song.bin", 4, 9004, "  song ", "MThd data of a named type"},
        {"two.bin", 4, 9003, "custom", "ok"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            mci.RES_Save(std::string("R:\\out\\") + c.name, c.id, c.type, {.RES_Name = c.typeName}),
            vbTrue)
            << c.name;
        EXPECT_EQ(contents(Out(c.name)), c.expected) << c.name;
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

// The window tests hand an extracted icon's handle to a window.
TEST_F(ResourceTest, ExtractsPicturesTextAndBytes) {
    ResourceValue value;
    for (std::int32_t kind : {0, 2}) {
        ASSERT_EQ(mci.RES_Extract(value, 101, kind), vbTrue) << kind;
        EXPECT_NE(std::get<Picture>(value).Handle(), 0) << kind;
    }
    ASSERT_EQ(mci.RES_Extract(value, 102, 3), vbTrue);
    EXPECT_EQ(std::get<std::string>(value), "Auditions MIDI and WAVE sound files.");
    ASSERT_EQ(mci.RES_Extract(value, 101, 4, {.RES_Name = " custom "}), vbTrue);
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(value).size(),
              programResource("chime.wav").size());
    for (std::int32_t other : {-1, 5}) {
        value = std::string("left over");
        EXPECT_EQ(mci.RES_Extract(value, 101, other), vbTrue) << other;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(value)) << other;
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ResourceTest, AMissingOrDamagedResourceShowsTheErrorBox) {
    const struct {
        std::int32_t id;
        std::int32_t type;
        const char* typeName;
    } cases[] = {{999, 0, ""},
                 {101, 4, "WAVE"},
                 {9005, 0, ""},                // not a picture
                 {101, 4, "../data/CUSTOM"}};  // a type climbing out
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + c.typeName);
        const std::string description =
            "Resource with identifier '" + std::to_string(c.id) + "' not found";
        boxes.boxes.clear();
        ResourceValue value = std::string("left over");
        EXPECT_EQ(mci.RES_Extract(value, c.id, c.type, {.RES_Name = c.typeName}), vbFalse);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(value));
        EXPECT_EQ(mci.RES_Save("R:\\out\\missing", c.id, c.type, {.RES_Name = c.typeName}),
                  vbFalse);
        EXPECT_EQ(
            mci.RES_Extract(value, c.id, c.type, {.RES_Name = c.typeName, .ShowErrors = vbFalse}),
            vbFalse);
        ASSERT_EQ(boxes.boxes.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(boxes.boxes[i].prompt,
                      std::string("The following error occured while trying to ") +
                          (i == 0 ? "extract" : "save") +
                          " a file from resource:\r\r"
                          "Error Number = 326\rError Description = " +
                          description);
            EXPECT_EQ(boxes.boxes[i].title, "  Error  -  " + description);
        }
        EXPECT_FALSE(fs::exists(Out("missing")));
    }
}

TEST_F(ResourceTest, NoFileOrAnUnwritableOneIsReported) {
    EXPECT_EQ(mci.RES_Save("   ", 101, 3, {.ShowErrors = vbFalse}), vbFalse);
    EXPECT_EQ(mci.RES_Save("   ", 101, 3), vbFalse);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].prompt, "No file specified to extract resource to.");
    EXPECT_EQ(boxes.boxes[0].title, "  No Output File Specified");

    const struct {
        const char* path;
        std::int32_t number;
        const char* description;
    } cases[] = {{"R:\\no such folder\\logo.bmp", 76, "Path not found"},
                 {"R:\\out", 75, "Path/File access error"}};
    for (const auto& c : cases) {
        boxes.boxes.clear();
        EXPECT_EQ(mci.RES_Save(c.path, 101, 0), vbFalse) << c.path;
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.path;
        EXPECT_EQ(boxes.boxes[0].title, std::string("  Error  -  ") + c.description);
        EXPECT_THAT(boxes.boxes[0].prompt,
                    ::testing::EndsWith("Error Number = " + std::to_string(c.number) +
                                        "\rError Description = " + c.description));
    }
}

// Each mount's kind is the drive-kind test's; here the names of kinds and the letters.
TEST(DriveType, NamesEachKindAndCountsTheCdRomDrivesButNotTheRamDisk) {
    test_support::MciRecorder recorder;  // the media object's "close all" goes nowhere
    test_support::TempFolder sys;
    test_support::ScopedDrives drives{
        {{'C', "/", "[/]"}, {'F', "/media/DISC", "[DISC]"}, {'G', "/mnt/ram", "[ram]"}}};
    drives::UseMountsForTesting(sys.Write("mounts",
                                          "/dev/vda / ext4 rw 0 0\n"
                                          "/dev/sr0 /media/DISC iso9660 ro 0 0\n"
                                          "tmpfs /mnt/ram tmpfs rw 0 0\n"),
                                sys.path());
    cMCI_Adv mci;
    const struct {
        const char* letter;
        const char* expected;
    } cases[] = {
        {"C", "Fixed"},
        {"c", "Fixed"},
        {"F", "CD-ROM"},
        {"G", ""},
        {"Q", "Unknown"},
        {"\u00e9", "Unknown"},  // one character, two bytes
        {"", "Invalid Drive Letter"},
        {"CD", "Invalid Drive Letter"},
    };
    for (const auto& c : cases) EXPECT_EQ(mci.OS_CheckDriveType(c.letter), c.expected) << c.letter;
    EXPECT_EQ(mci.OS_GetCdCount(), 1);
    drives::UseMountsForTesting({}, {});
}

}  // namespace
