// The About window: its version text, links and the hand over them, and how it opens and closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/app.h"
#include "platform/user_interface.h"
#include "shell/frm_about.h"
#include "tests/support/desktop_launcher_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/toolkit/test_form.h"

namespace {

TEST(VersionText, PadsTheMinorToTwoDigitsAndTheRevisionToFour) {
    struct Case {
        std::int16_t major, minor, revision;
        const char* text;
    };
    for (const Case& c : {Case{3, 12, 345, "3.12.0345"}, Case{3, 100, 2, "3.100.0002"},
                          Case{10, 5, 12345, "10.05.12345"}})
        EXPECT_EQ(VersionText(c.major, c.minor, c.revision), c.text);
}

void ClickOn(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2)); }

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

// Shown modally over a top-most owner it opens above it with the focus; Enter, Escape or OK
// unload it and Show returns.
TEST_F(AboutTest, OverATopMostOwnerItOpensAboveItWithTheFocusAndEnterEscapeOrOkCloseIt) {
    TestForm owner;
    ASSERT_TRUE(ShowActive(owner));
    SetWindowPos(owner.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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
}

}  // namespace
