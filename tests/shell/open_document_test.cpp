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

TEST(ShowShellError, ShowsNothingFrom33OnAndNamesTheActionOrAGeneralOne) {
    test_support::MessageBoxRecorder boxes;
    ShowShellError(33, "open the file");
    EXPECT_TRUE(boxes.boxes.empty());
    ShowShellError(-1, "open the file");
    ShowShellError(2, "");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].prompt,
              "The following error was encountered while trying to open the file:\r\r"
              "Error Number = -1\rError Description = Unknown Error");
    EXPECT_EQ(boxes.boxes[0].title, "  Error Occured");
    EXPECT_EQ(boxes.boxes[0].style, 48);
    EXPECT_EQ(boxes.boxes[1].prompt.substr(0, boxes.boxes[1].prompt.find('\r')),
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
    test_support::DesktopLauncherRecorder launcher;
};

// Addresses reach the desktop as given and documents as file URLs.
TEST_F(ShellExecuteTest, AnswersForAddressesAndDocumentsAsTheShellDoes) {
    struct Case {
        const char* file;
        const char* verb;
        bool launcherAnswer;
        std::intptr_t result;  // 42 standing for any success
        std::string handed;    // what the launcher is given, if anything
    };
    const std::string mail = "mailto:corvala@corvala.invalid", web = "https://corvala.invalid/";
    const std::string document = "file://" + (folder.path() / "docs" / "read%20me.txt").string();
    const Case cases[] = {
        {web.c_str(), "open", true, 42, web},
        {mail.c_str(), "open", true, 42, mail},
        {mail.c_str(), "open", false, 31, mail},  // no mail program
        {web.c_str(), nullptr, true, 42, web},    // no verb is "open"
        {web.c_str(), "print", true, 31, ""},
        {"T:\\DOCS\\READ ME.TXT", "open", true, 42, document},
        {"T:\\docs\\missing.txt", "open", true, 2, ""},
        {"T:\\nowhere\\missing.txt", "open", true, 3, ""},
        {"missing.txt", "open", true, 2, ""},
        {"", "open", true, 2, ""},
        {nullptr, "open", true, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file != nullptr ? c.file : "(null)");
        launcher.answer = c.launcherAnswer;
        launcher.opened.clear();
        const std::intptr_t result = Open(c.file, c.verb);
        if (c.result == 42) {
            EXPECT_GT(result, 32);
        } else {
            EXPECT_EQ(result, c.result);
        }
        EXPECT_EQ(launcher.opened, c.handed.empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{c.handed});
    }
}

}  // namespace
