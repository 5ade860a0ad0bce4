// The tray icon from start-up to shutdown, a left click bringing the window back, and About.
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "shell/mod_common.h"
#include "tests/main_window/main_window_fixture.h"
#include "tests/support/notification_area_recorder.h"

namespace {

// Loaded with a notification area, so that the window has its icon.
class TrayTest : public StartupTest {
  protected:
    TrayTest() { Start(); }

    void ClickIcon(std::uint32_t mouseMessage) {
        PostMessageA(form->hWnd(), WM_MOUSEMOVE, 1, static_cast<std::int32_t>(mouseMessage));
        DispatchPostedMessages();
    }

    test_support::NotificationAreaRecorder shell;
};

TEST_F(TrayTest, TheTrayIconLivesFromStartUpToShutdownAsIconOneWithTheWindowsIconAndName) {
    ASSERT_EQ(shell.calls.size(), 1u);
    const NOTIFYICONDATAA& added = shell.calls[0].record;
    EXPECT_EQ(shell.calls[0].operation, NIM_ADD);
    EXPECT_EQ(std::tuple(added.hWnd, added.uID, added.uCallbackMessage, added.hIcon),
              std::tuple(form->hWnd(), 1u, WM_MOUSEMOVE, form->Icon().Handle()));
    EXPECT_NE(added.hIcon, 0);
    EXPECT_STREQ(added.szTip, "Corvala");

    form->UnloadForm();
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].operation, NIM_DELETE);
    EXPECT_EQ(shell.calls[1].record.uID, 1u);
}

TEST_F(TrayTest, ALeftClickBringsAMinimisedHiddenWindowBackInFrontWithTheFocus) {
    ASSERT_TRUE(ShowActive(*form));
    form->WindowState(vbMinimized);
    form->Hide();
    for (const std::uint32_t message :
         {WM_MBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        ClickIcon(message);
        EXPECT_EQ(form->Visible(), vbFalse) << "other notifications leave it hidden: " << message;
    }
    ClickIcon(WM_LBUTTONUP);
    EXPECT_EQ(form->Visible(), vbTrue);
    EXPECT_EQ(form->WindowState(), 0);
    EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
}

// Acts on the modal window once one is open, however many events come before it.
void WhenModalOpens(std::function<void(QWidget&)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        poll->deleteLater();
        poll->stop();
        act(*modal);
    });
    poll->start(0);
}

TEST_F(TrayTest, AboutSuspendsTopMostAndAfterwardsFollowsTheOption) {
    const std::function<void()> commands[] = {
        [&] { form->mnuHelpAbout.Action()->trigger(); },
        [&] { form->mnuPopAbout.Action()->trigger(); },
        [&] {
            ASSERT_TRUE(ShowActive(*form));
            PressKey(form->Drive1.Widget(), Qt::Key_F1);
        },
    };
    for (const Boolean option : {vbTrue, vbFalse}) {
        SCOPED_TRACE(option);
        form->mnuOptionsTop.Checked(option);
        SetAlwaysOnTop(form->hWnd(), option);
        for (const auto& command : commands) {
            std::optional<bool> onTopDuringAbout;
            WhenModalOpens([&](QWidget& about) {
                onTopDuringAbout = StaysOnTop();
                about.close();
            });
            command();
            ASSERT_TRUE(onTopDuringAbout.has_value());
            EXPECT_FALSE(*onTopDuringAbout);
            EXPECT_EQ(StaysOnTop(), IsTrue(option));
        }
    }
}

}  // namespace
