// The document opener: what ShellExecuteA answers for documents and addresses, and the box
// ShowShellError makes of a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/shell.h"
#include "shell/mod_open_document.h"
#include "tests/support/desktop_launcher_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_application.h"

namespace {

using test_support::DesktopLauncherRecorder;
using test_support::MessageBoxRecorder;

TEST(ShowShellError, DescribesEachFailureInTheSharedLayout) {
    struct Case {
        std::int32_t result;
        const char* description;
    };
    const Case cases[] = {
        {0, "The operating system is out of memory or resources."},
        {32, "The specified dynamic-link library was not found."},
        {4, "Unknown Error"},
        {-1, "Unknown Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        MessageBoxRecorder boxes;
        ShowShellError(c.result, "open the file");
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].prompt,
                  "The following error was encountered while trying to open the file:\r\r"
                  "Error Number = " +
                      std::to_string(c.result) + "\rError Description = " + c.description);
        EXPECT_EQ(boxes.boxes[0].title, "  Error Occured");
        EXPECT_EQ(boxes.boxes[0].style, 48);
    }
}

TEST(ShowShellError, ShowsNothingFrom33OnAndUsesAGeneralLineWithoutAnAction) {
    MessageBoxRecorder boxes;
    for (const std::int32_t success : {33, 42, 1000}) ShowShellError(success, "open the file");
    EXPECT_TRUE(boxes.boxes.empty());
    ShowShellError(2, "");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].prompt.substr(0, boxes.boxes[0].prompt.find('\r')),
              "The following error was encountered while trying to access/open the file:");
}

class ShellExecuteTest : public testing::Test {
  protected:
    ShellExecuteTest() {
        EnsureApplication();
        folder.Write("docs/read me.txt", "hello");
    }

    std::intptr_t Open(const char* file, const char* verb = "open") {
        return ShellExecuteA(0, verb, file, nullptr, nullptr, SW_SHOW);
    }

    test_support::TempFolder folder;
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}}};
    DesktopLauncherRecorder launcher;
};

TEST_F(ShellExecuteTest, AnswersForAddressesAndDocumentsAsTheShellDoes) {
    struct Case {
        const char* file;
        const char* verb;
        bool launcherAnswer;
        std::intptr_t result;  // 42 standing for any success
    };
    const Case cases[] = {
        {"https://corvala.invalid/", "open", true, 42},
        {"mailto:corvala@corvala.invalid", "open", true, 42},
        {"mailto:corvala@corvala.invalid", "open", false, 31},  // no mail program
        {"https://corvala.invalid/", nullptr, true, 42},        // no verb is "open"
        {"https://corvala.invalid/", "print", true, 31},
        {"T:\\DOCS\\READ ME.TXT", "open", true, 42},
        {"T:\\docs\\read me.txt", "open", false, 31},
        {"T:\\docs\\missing.txt", "open", true, 2},
        {"T:\\nowhere\\missing.txt", "open", true, 3},
        {"missing.txt", "open", true, 2},
        {"", "open", true, 2},
        {nullptr, "open", true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file != nullptr ? c.file : "(null)");
        launcher.answer = c.launcherAnswer;
        const std::intptr_t result = Open(c.file, c.verb);
        if (c.result == 42) {
            EXPECT_GT(result, 32);
        } else {
            EXPECT_EQ(result, c.result);
        }
    }
}

TEST_F(ShellExecuteTest, HandsTheDesktopAddressesAsGivenAndDocumentsAsFileUrls) {
    Open("https://corvala.invalid/");
    Open("T:\\DOCS\\READ ME.TXT");
    Open("T:\\docs\\missing.txt");
    ASSERT_EQ(launcher.opened.size(), 2u);
    EXPECT_EQ(launcher.opened[0], "https://corvala.invalid/");
    EXPECT_EQ(launcher.opened[1], "file://" + (folder.path() / "docs" / "read%20me.txt").string());
}

TEST_F(ShellExecuteTest, OpenDocumentShowsOneBoxForAFailureAndNoneForSuccess) {
    MessageBoxRecorder boxes;
    const std::int32_t owner = 0;
    OpenDocument(owner, "https://corvala.invalid/", SW_SHOW, nullptr, nullptr);
    EXPECT_TRUE(boxes.boxes.empty());
    launcher.answer = false;
    OpenDocument(owner, "mailto:corvala@corvala.invalid", SW_SHOW, nullptr, nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].prompt.find("Error Number = 31\r"), std::string::npos);
}

}  // namespace
