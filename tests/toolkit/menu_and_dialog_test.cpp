// Menus and the message box as the program's windows use them.
#include <gtest/gtest.h>

#include <QAction>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "platform/toolkit/menu.h"
#include "platform/user_interface.h"
#include "tests/toolkit/test_form.h"

namespace {

// That a click leaves the mark to the handler is checked through F2 and F3 in the window.
TEST(Menu, AnUncheckedItemShowsNoEmptyBox) {
    TestForm form;
    Menu options(form, " &Options");
    Menu top(options, "&Always On Top    ", "F2");
    top.Checked(vbTrue);
    EXPECT_TRUE(top.Action()->isChecked());
    top.Checked(vbFalse);
    EXPECT_FALSE(top.Action()->isCheckable());
}

// Boxes one after another, as one failure shows them, over a top-most window: each is owned by
// it, kept above it, takes the focus and closes on Enter or Escape. Lone carriage returns
// break lines, and the style gives the icon.
TEST(MessageBox, EachBoxOfAFailureOpensAboveATopMostOwnerWithTheFocusAndClosesOnItsKeys) {
    TestForm form;
    ASSERT_TRUE(ShowActive(form));
    SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
        SCOPED_TRACE(key);
        bool owned = false, above = false, focused = false, closedByKey = false;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            owned = box->windowHandle()->transientParent() == form.Window()->windowHandle();
            above = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            focused = QTest::qWaitForWindowActive(box);
            QTest::keyClick(box, key);
            closedByKey = !box->isVisible();
            if (!closedByKey) box->close();
        });
        EXPECT_EQ(MsgBox("d: is not accessible.\r\rThe device is not ready.", vbCritical,
                         "  Can Not Access Drive"),
                  vbOK);
        EXPECT_TRUE(owned && above && focused && closedByKey)
            << owned << above << focused << closedByKey;
        EXPECT_EQ(title, "  Can Not Access Drive");
        EXPECT_EQ(text, "d: is not accessible.\n\nThe device is not ready.");
        EXPECT_EQ(icon, QMessageBox::Critical);
    }
}

}  // namespace
