// The About window, the document opener behind its links and the always-on-top switch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <filesystem>
#include <string>

#include "platform/app.h"
#include "platform/shell.h"
#include "platform/user_interface.h"
#include "shell/frm_about.h"
#include "shell/mod_common.h"
#include "shell/mod_open_document.h"
#include "tests/support/desktop_launcher_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_application.h"
#include "tests/toolkit/test_form.h"

namespace {

void ClickOn(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
}

class AboutTest : public testing::Test {
  protected:
    AboutTest() { about.LoadForm(); }

    ApplicationFirst application;
    test_support::DesktopLauncherRecorder launcher;
    test_support::MessageBoxRecorder boxes;
    frmAbout about;
};

TEST_F(AboutTest, ShowsTheVersionAndItsLinksOpenTheMakersAddressesUnderAHand) {
    EXPECT_EQ(about.lblVersion.Caption(), VersionText(App::Major(), App::Minor(), App::Revision()));
    for (Control* link : std::initializer_list<Control*>{&about.Label5, &about.Picture1,
                                                         &about.Label7, &about.Label6}) {
        ClickOn(link->Widget());
        const QCursor cursor = link->Widget()->cursor();
        if (link == &about.Label6) {  // not a link
            EXPECT_NE(cursor.shape(), Qt::BitmapCursor);
            continue;
        }
        // The hand points with its fingertip.
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), QPoint(13, 5));
    }
    EXPECT_EQ(launcher.opened,
              (std::vector<std::string>{MakerWebAddress, MakerWebAddress,
                                        std::string("mailto:") + MakerMailAddress}));
    EXPECT_TRUE(boxes.boxes.empty());
    // A mail link nobody opens is explained and the window stays.
    launcher.answer = false;
    ClickOn(about.Label7.Widget());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "  Error Occured");
    EXPECT_EQ(about.Loaded(), vbTrue);
}

// Modal over a top-most owner: above it with the focus; Enter, Escape or OK unload it. The
// always-on-top switch answers whether it worked.
TEST_F(AboutTest, OverATopMostOwnerItOpensAboveItWithTheFocusAndEnterEscapeOrOkCloseIt) {
    TestForm owner;
    ASSERT_TRUE(ShowActive(owner));
    ASSERT_EQ(SetAlwaysOnTop(owner.hWnd(), vbTrue), vbTrue);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
        SCOPED_TRACE(key);
        frmAbout shown;
        bool modal = false, above = false, focused = false, closed = false;
        QTimer::singleShot(0, [&] {
            QWidget* window = shown.Window();
            modal = QApplication::activeModalWidget() == window;
            above = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                    window->windowHandle()->transientParent() == owner.Window()->windowHandle();
            focused = QTest::qWaitForWindowActive(window);
            QWidget* focus = QApplication::focusWidget();
            if (key == Qt::Key_unknown)
                ClickOn(shown.cmdOK.Widget());
            else
                QTest::keyClick(focus != nullptr ? focus : window, key);
            closed = !window->isVisible();
            if (!closed) ClickOn(shown.cmdOK.Widget());
        });
        shown.Show(vbModal);
        EXPECT_TRUE(modal && above && focused && closed) << modal << above << focused << closed;
        EXPECT_EQ(shown.Loaded(), vbFalse);
    }
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_EQ(SetAlwaysOnTop(owner.hWnd(), 1), vbTrue) << "only -1 is True";
    EXPECT_FALSE(owner.Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(SetAlwaysOnTop(4242, vbTrue), vbFalse);
    EXPECT_TRUE(boxes.boxes.empty());
}

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

// Addresses reach the desktop as given and documents as file URLs.
TEST(ShellExecute, AnswersForAddressesAndDocumentsAsTheShellDoes) {
    EnsureApplication();
    test_support::TempFolder folder;
    folder.Write("docs/read me.txt", "hello");
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}}};
    test_support::DesktopLauncherRecorder launcher;
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
        {mail.c_str(), "open", false, 31, mail},  // no mail program
        {web.c_str(), nullptr, true, 42, web},    // no verb is "open"
        {web.c_str(), "print", true, 31, ""},
        {"T:\\DOCS\\READ ME.TXT", "open", true, 42, document},
        {"T:\\docs\\missing.txt", "open", true, 2, ""},
        {"T:\\nowhere\\missing.txt", "open", true, 3, ""},
        {"missing.txt", "open", true, 2, ""},
        {nullptr, "open", true, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file != nullptr ? c.file : "(null)");
        launcher.answer = c.launcherAnswer;
        launcher.opened.clear();
        const std::intptr_t result = ShellExecuteA(0, c.verb, c.file, nullptr, nullptr, SW_SHOW);
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
