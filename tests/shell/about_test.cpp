// The About window: its version text, fixed texts, links and the hand over them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QPixmap>
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

using test_support::DesktopLauncherRecorder;
using test_support::MessageBoxRecorder;

TEST(VersionText, PadsTheMinorToTwoDigitsAndTheRevisionToFour) {
    struct Case {
        std::int16_t major, minor, revision;
        const char* text;
    };
    const Case cases[] = {
        {3, 0, 2, "3.00.0002"},        {3, 12, 345, "3.12.0345"}, {3, 100, 2, "3.100.0002"},
        {10, 5, 12345, "10.05.12345"}, {0, 0, 0, "0.00.0000"},
    };
    for (const Case& c : cases) EXPECT_EQ(VersionText(c.major, c.minor, c.revision), c.text);
}

class AboutTest : public testing::Test {
  protected:
    AboutTest() { about.LoadForm(); }

    static void ClickOn(Control& control) { ClickOn(control.Widget()); }
    static void ClickOn(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
    }

    ApplicationFirst application;
    DesktopLauncherRecorder launcher;
    MessageBoxRecorder boxes;
    frmAbout about;
};

TEST_F(AboutTest, ShowsTheProgramsVersion) {
    EXPECT_EQ(about.lblVersion.Caption(), VersionText(App::Major(), App::Minor(), App::Revision()));
}

TEST_F(AboutTest, TheLinksAndThePictureOpenTheMakersAddresses) {
    ClickOn(about.Label5);
    ClickOn(about.Picture1);
    ClickOn(about.Label7);
    ClickOn(about.Label6);  // not a link
    EXPECT_EQ(launcher.opened,
              (std::vector<std::string>{MakerWebAddress, MakerWebAddress,
                                        std::string("mailto:") + MakerMailAddress}));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(AboutTest, AMailLinkNobodyOpensIsExplainedAndTheWindowStays) {
    launcher.answer = false;
    ClickOn(about.Label7);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "  Error Occured");
    EXPECT_EQ(about.Loaded(), vbTrue);
}

TEST_F(AboutTest, TheHandPointsWithItsFingertipOverTheLinksOnly) {
    for (Control* link :
         std::initializer_list<Control*>{&about.Label5, &about.Label7, &about.Picture1}) {
        const QCursor cursor = link->Widget()->cursor();
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), QPoint(13, 5));
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    }
    EXPECT_NE(about.Label6.Widget()->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(AboutTest, ShownModallyItReturnsWhenOkUnloadsIt) {
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == about.Window();
        ClickOn(about.cmdOK);
    });
    about.Show(vbModal);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(about.Loaded(), vbFalse);
    EXPECT_FALSE(about.Window()->isVisible());
}

TEST_F(AboutTest, OverATopMostOwnerItOpensAboveItWithTheFocusAndEnterOrEscapeCloseIt) {
    TestForm owner;
    ASSERT_TRUE(ShowActive(owner));
    SetWindowPos(owner.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        frmAbout shown;
        bool above = false, focused = false, closedByKey = false;
        QTimer::singleShot(0, [&] {
            QWidget* window = shown.Window();
            above = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                    window->windowHandle()->transientParent() == owner.Window()->windowHandle();
            focused = QTest::qWaitForWindowActive(window);
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : window, key);
            closedByKey = !window->isVisible();
            if (!closedByKey) ClickOn(shown.cmdOK);
        });
        shown.Show(vbModal);
        EXPECT_TRUE(above && focused && closedByKey) << above << focused << closedByKey;
    }
    EXPECT_TRUE(launcher.opened.empty());
}

}  // namespace
