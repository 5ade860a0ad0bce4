// The main window's tray: the icon from start-up to shutdown, a left click bringing the window
// back, a right click opening the popup, whose items run the window's own commands.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "shell/mod_common.h"
#include "tests/main_window/main_window_fixture.h"
#include "tests/support/notification_area_recorder.h"

namespace {

class TrayTest : public StartupTest {
  protected:
    // Loaded with a notification area, so that the window has its icon.
    TrayTest() {
        Start();
        form->Directory1.Path("T:\\music");
        mci.Clear();
    }

    // The shell's notification for a click on the icon, as it reaches the window.
    void ClickIcon(std::uint32_t mouseMessage) {
        PostMessageA(form->hWnd(), WM_MOUSEMOVE, 1, static_cast<std::int32_t>(mouseMessage));
        DispatchPostedMessages();
    }

    // Closes the popup once it is open, choosing the named entry.
    void OnPopup(const QString& choose) {
        QTimer::singleShot(0, [choose] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            popup->hide();
            for (QAction* action : popup->actions()) {
                if (action->text() == choose) action->trigger();
            }
        });
    }

    test_support::NotificationAreaRecorder shell;
};

TEST_F(StartupTest, TheTrayIconLivesFromStartUpToShutdownAsIconOneWithTheWindowsIconAndName) {
    test_support::NotificationAreaRecorder shell;
    Start();
    frmMain& form = *this->form;
    ASSERT_EQ(shell.calls.size(), 1u);
    const NOTIFYICONDATAA& added = shell.calls[0].record;
    EXPECT_EQ(shell.calls[0].operation, NIM_ADD);
    EXPECT_EQ(added.hWnd, form.hWnd());
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uCallbackMessage, WM_MOUSEMOVE);
    EXPECT_EQ(added.hIcon, form.Icon().Handle());
    EXPECT_NE(added.hIcon, 0);
    EXPECT_STREQ(added.szTip, "Corvala");

    form.UnloadForm();
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

TEST_F(TrayTest, ThePopupsItemsDoWhatTheButtonsAndExitDo) {
    struct Item {
        const char* caption;
        CommandButton frmMain::*button;
    };
    const Item items[] = {
        {"Play &MIDI", &frmMain::cmdMIDI_Play},   {"Pause M&IDI", &frmMain::cmdMIDI_Pause},
        {"Stop MI&DI", &frmMain::cmdMIDI_Stop},   {"Play &WAVE", &frmMain::cmdWAVE_Play},
        {"Pause W&AVE", &frmMain::cmdWAVE_Pause}, {"Stop WA&VE", &frmMain::cmdWAVE_Stop},
    };
    form->MIDIs.ListIndex(0);
    form->WAVEs.ListIndex(0);
    for (const Item& item : items) Click((*form).*item.button);
    const std::vector<std::string> byButtons = mci.Commands();
    ASSERT_FALSE(byButtons.empty());
    Click(form->cmdMIDI_Stop);
    Click(form->cmdWAVE_Stop);
    mci.Clear();

    for (const Item& item : items) {
        OnPopup(QString::fromUtf8(item.caption));
        ClickIcon(WM_RBUTTONUP);
    }
    EXPECT_EQ(mci.Commands(), byButtons);
    EXPECT_EQ(form->Visible(), vbFalse);  // neither shown nor brought forward
    OnPopup("E&xit");
    ClickIcon(WM_RBUTTONUP);
    EXPECT_EQ(form->Loaded(), vbFalse) << "Exit runs the shutdown";
}

// Runs act on the modal window once one is open, however many events come before it.
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
