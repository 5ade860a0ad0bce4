// CD_ShowFolder over a stand-in dialog: what it hands over, gives back, and does with errors.
#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "platform/shell.h"
#include "shell/mod_comdlg32.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"

namespace {

class ShowFolderTest : public testing::Test, public FolderDialog {
  protected:
    ShowFolderTest() : before_(SetFolderDialog(this)) {
        folder.MakeFolder("Start");
        folder.MakeFolder("Chosen Ünïcode");
    }
    ~ShowFolderTest() override { SetFolderDialog(before_); }

    std::optional<std::filesystem::path> Choose(std::int32_t owner, const std::string& title,
                                                const std::filesystem::path& start) override {
        seenOwner = owner;
        seenTitle = title;
        seenStart = start;
        if (error) throw *error;
        return answer;
    }

    std::optional<std::filesystem::path> answer;
    std::optional<RuntimeError> error;
    std::int32_t seenOwner = 0;
    std::string seenTitle;
    std::filesystem::path seenStart;
    test_support::TempFolder folder;
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'S', folder.path(), "[sounds]"}}};
    test_support::MessageBoxRecorder boxes;

  private:
    FolderDialog* before_;
};

TEST_F(ShowFolderTest, ChoosingAFolderGivesItsPathNameAndFlags) {
    answer = folder.path() / "Chosen Ünïcode";
    const struct {
        std::int32_t flagsIn;
        const char* folderIn;
        std::int32_t flagsOut;
        bool startsAtFolder;
    } cases[] = {{81, "", 81, false},
                 {0, "", 1, false},
                 {1, "s:\\start", 1, true},
                 {0x2001, "S:\\Start", 0x2001, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flagsIn);
        std::int32_t flags = c.flagsIn;
        std::string displayName;
        std::string folderPath = c.folderIn;
        EXPECT_EQ(CD_ShowFolder(7, flags, displayName, folderPath, "Select The Directory To Open:"),
                  vbTrue);
        EXPECT_EQ(folderPath, "S:\\Chosen Ünïcode");
        EXPECT_EQ(displayName, "Chosen Ünïcode");
        EXPECT_EQ(flags, c.flagsOut);
        EXPECT_EQ(seenOwner, 7);
        EXPECT_EQ(seenTitle, "Select The Directory To Open:");
        EXPECT_EQ(seenStart, c.startsAtFolder ? folder.path() / "Start" : std::filesystem::path());
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

// A cancel clears everything; error 20 is passed over, others are shown and leave the flags.
TEST_F(ShowFolderTest, CancellingClearsEverythingErrorTwentyIsPassedOverAndOthersAreShown) {
    std::int32_t flags = 81;
    std::string displayName = "old";
    std::string folderPath = "S:\\Start";
    EXPECT_EQ(CD_ShowFolder(0, flags, displayName, folderPath, ""), vbFalse);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(displayName, "");
    EXPECT_EQ(folderPath, "");
    EXPECT_EQ(seenTitle, "Select Folder:") << "an empty prompt asks for a folder";
    flags = 81;
    error = RuntimeError(20, "Resume without error", "Corvala");
    EXPECT_EQ(CD_ShowFolder(0, flags, displayName, folderPath, "Pick:"), vbFalse);
    EXPECT_TRUE(boxes.boxes.empty());
    error = RuntimeError(7, "Out of memory", "Corvala");
    flags = 81;
    EXPECT_EQ(CD_ShowFolder(0, flags, displayName, folderPath, "Pick:"), vbFalse);
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].prompt,
              "Corvala encountered the following error in the CD_ShowFolder function:\r\r"
              "Error Number = 7\rError Description = Out of memory");
    EXPECT_EQ(boxes.boxes[0].title, "  Error  -  Out of memory");
    EXPECT_EQ(boxes.boxes[0].style, 48);
    EXPECT_EQ(flags, 81);
}

}  // namespace
