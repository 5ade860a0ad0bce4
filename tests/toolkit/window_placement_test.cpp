// Window placement and the life of forms: the topmost band changes nothing else about a
// window, and forms leave the Forms collection as they unload.
#include <gtest/gtest.h>

#include <QEvent>
#include <QMainWindow>

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

}  // namespace
