// Window placement and the life of forms: the topmost band changes nothing else about a
// window, a minimised window without a tray icon stays on the task bar, and forms leave the
// Forms collection as they unload.
#include <gtest/gtest.h>

#include <QEvent>
#include <QMainWindow>

#include "platform/toolkit/window_registry.h"
#include "platform/user_interface.h"
#include "tests/toolkit/test_form.h"

namespace {

// Counts the times a window is hidden or shown, which a user would see as a flash.
class VisibilityWatch : public QObject {
  public:
    explicit VisibilityWatch(QWidget* window) { window->installEventFilter(this); }
    int changes = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Show) ++changes;
        return false;
    }
};

TEST(SetWindowPos, ChangesTheTopmostBandAndNothingElse) {
    TestForm form;
    ASSERT_TRUE(ShowActive(form));
    QMainWindow* window = form.Window();
    const QRect before = window->geometry();
    const VisibilityWatch watch(window);
    for (const std::int32_t band : {HWND_TOPMOST, HWND_NOTOPMOST, HWND_NOTOPMOST, HWND_TOPMOST}) {
        EXPECT_NE(SetWindowPos(form.hWnd(), band, 0, 0, 0, 0, SWP_NOSIZE + SWP_NOMOVE), 0);
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), band == HWND_TOPMOST);
        EXPECT_EQ(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint),
                  band == HWND_TOPMOST);
        EXPECT_EQ(window->geometry(), before);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(watch.changes, 0);
}

TEST(SetWindowPos, WorksBeforeTheWindowFirstShowsAndFailsForAnUnknownWindow) {
    TestForm form;
    EXPECT_NE(SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE + SWP_NOMOVE), 0);
    EXPECT_FALSE(form.Window()->isVisible());
    ASSERT_TRUE(ShowActive(form));
    EXPECT_TRUE(form.Window()->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    for (const std::int32_t hWnd : {0, -1, 99999})
        EXPECT_EQ(SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE + SWP_NOMOVE), 0);
}

TEST(FormHide, AMinimisedWindowStaysOnTheTaskBarUntilItHasATrayIcon) {
    TestForm form;
    ASSERT_TRUE(ShowActive(form));
    form.WindowState(vbMinimized);
    form.Visible(vbFalse);
    EXPECT_EQ(form.Visible(), vbTrue) << "nothing would lead back to a hidden window";
    EXPECT_EQ(form.WindowState(), vbMinimized);

    toolkit::TrayIconAdded(form.hWnd());
    form.Visible(vbFalse);
    EXPECT_EQ(form.Visible(), vbFalse);
    toolkit::TrayIconRemoved(form.hWnd());
    EXPECT_FALSE(toolkit::HasTrayIcon(form.hWnd()));

    form.WindowState(0);
    form.Show();
    form.Visible(vbFalse);
    EXPECT_EQ(form.Visible(), vbFalse) << "a window that is not minimised hides as asked";
}

TEST(Forms, HoldTheLoadedFormsInTheOrderTheyLoaded) {
    TestForm first;
    TestForm second;
    TestForm never;
    second.LoadForm();
    first.LoadForm();
    EXPECT_EQ(Forms(), (std::vector<Form*>{&second, &first}));
    second.UnloadForm();
    EXPECT_EQ(Forms(), std::vector<Form*>{&first});
    {
        TestForm brief;
        brief.LoadForm();
        EXPECT_EQ(Forms().size(), 2u);
    }
    EXPECT_EQ(Forms(), std::vector<Form*>{&first}) << "a destroyed form leaves the collection";
}

TEST(Forms, UnloadingAgainFromTheUnloadHandlerDoesNothing) {
    TestForm form;
    int unloads = 0;
    form.Unload = [&](std::int16_t&) {
        ++unloads;
        for (Form* loaded : Forms()) loaded->UnloadForm();
        EXPECT_EQ(Forms(), std::vector<Form*>{&form}) << "still loaded while it unloads";
    };
    ASSERT_TRUE(ShowActive(form));
    form.UnloadForm();
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(Forms().empty());
    EXPECT_FALSE(form.Window()->isVisible());
}

}  // namespace
