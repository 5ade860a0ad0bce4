// Menus, the message box and the folder functions as the program's windows use them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <cstring>

#include "platform/shell.h"
#include "platform/toolkit/command_button.h"
#include "platform/toolkit/menu.h"
#include "platform/user_interface.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

using test_support::ScopedDrives;
using test_support::TempFolder;

TEST(Menu, ClickingACheckedItemLeavesTheMarkToItsHandler) {
    TestForm form;
    Menu options(form, " &Options");
    Menu top(options, "&Always On Top    ", "F2");
    top.Checked(vbTrue);
    int clicks = 0;
    top.Click = [&] { ++clicks; };
    top.Action()->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(top.Checked(), vbTrue);
    EXPECT_TRUE(top.Action()->isChecked());
    top.Checked(vbFalse);
    EXPECT_FALSE(top.Action()->isCheckable());  // no empty box beside an unchecked item
}

TEST(Menu, ShortcutsWorkFromAnyControlOfTheWindow) {
    TestForm form;
    Menu file(form, " &File");
    Menu open(file, "&Open Directory    ", "Ctrl+O");
    Menu sounds(form, " &Sounds");
    Menu refresh(sounds, "&Refresh Lists    ", "F5");
    CommandButton first(form);
    CommandButton second(form);
    std::string clicked;
    open.Click = [&] { clicked += "O"; };
    refresh.Click = [&] { clicked += "R"; };
    ASSERT_TRUE(ShowActive(form));
    PressKey(first.Widget(), Qt::Key_O, Qt::ControlModifier);
    PressKey(second.Widget(), Qt::Key_F5);
    PressKey(first.Widget(), Qt::Key_F5);
    EXPECT_EQ(clicked, "ORR");
}

TEST(Menu, AHiddenMenuOpensOnlyAsAPopupAndReturnsAfterTheChosenCommand) {
    TestForm form;
    Menu pop(form, "");
    Menu play(pop, "Play &MIDI");
    Menu exit(pop, "E&xit");
    pop.Visible(vbFalse);
    std::string clicked;
    play.Click = [&] { clicked += "play"; };
    exit.Click = [&] { clicked += "exit"; };
    ASSERT_TRUE(ShowActive(form));
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        clicked += "open:";
        menu->actions().at(1)->trigger();
        menu->close();
    });
    form.PopupMenu(pop);
    EXPECT_EQ(clicked, "open:exit");
}

TEST(MessageBox, ShowsLoneCarriageReturnsAsLineBreaksWithTheStylesIcon) {
    EnsureApplication();
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon()};
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(MsgBox("d: is not accessible.\r\rThe device is not ready.", vbCritical,
                     "  Can Not Access Drive"),
              vbOK);
    EXPECT_EQ(seen.title, "  Can Not Access Drive");
    EXPECT_EQ(seen.text, "d: is not accessible.\n\nThe device is not ready.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

// Boxes one after another, as one failure shows them, over a top-most window: each is owned by
// it, kept above it, takes the focus and closes on Enter or Escape.
TEST(MessageBox, EachBoxOfAFailureOpensAboveATopMostOwnerWithTheFocusAndClosesOnItsKeys) {
    TestForm form;
    ASSERT_TRUE(ShowActive(form));
    SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
        SCOPED_TRACE(key);
        bool owned = false, above = false, focused = false, closedByKey = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            owned = box->windowHandle()->transientParent() == form.Window()->windowHandle();
            above = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            focused = QTest::qWaitForWindowActive(box);
            QTest::keyClick(box, key);
            closedByKey = !box->isVisible();
            if (!closedByKey) box->close();
        });
        EXPECT_EQ(MsgBox("The file could not be read.", vbCritical, "  MCI ERROR"), vbOK);
        EXPECT_TRUE(owned && above && focused && closedByKey)
            << owned << above << focused << closedByKey;
    }
}

class ChosenFolder : public FolderDialog {
  public:
    std::optional<std::filesystem::path> Choose(std::int32_t, const std::string& title,
                                                const std::filesystem::path& start) override {
        seenTitle = title;
        seenStart = start;
        return answer;
    }
    std::optional<std::filesystem::path> answer;
    std::string seenTitle;
    std::filesystem::path seenStart;
};

TEST(FolderFunctions, BrowseStartsAtTheRootListAndReturnsTheChoiceInWindowsForm) {
    TempFolder folder;
    folder.MakeFolder("Start Here");
    folder.MakeFolder("Mürrisch Musik");
    ScopedDrives drives({{'C', "/", "[/]"}, {'M', folder.path(), "[music]"}});
    ChosenFolder dialog;
    dialog.answer = folder.path() / "Mürrisch Musik";
    FolderDialog* before = SetFolderDialog(&dialog);

    ITEMIDLIST* root = SHSimpleIDListFromPath("m:\\start here");
    ASSERT_NE(root, nullptr);
    char displayName[260] = {};
    BROWSEINFOA info{.hwndOwner = 0,
                     .pidlRoot = root,
                     .pszDisplayName = displayName,
                     .lpszTitle = "Pick one:",
                     .ulFlags = BIF_RETURNONLYFSDIRS,
                     .lpfn = nullptr,
                     .lParam = 0,
                     .iImage = 0};
    ITEMIDLIST* chosen = SHBrowseForFolder(&info);
    ASSERT_NE(chosen, nullptr);
    char path[260] = {};
    EXPECT_NE(SHGetPathFromIDList(chosen, path), 0);
    EXPECT_STREQ(path, "M:\\Mürrisch Musik");
    EXPECT_STREQ(displayName, "Mürrisch Musik");
    EXPECT_EQ(dialog.seenStart, folder.path() / "Start Here");
    EXPECT_EQ(dialog.seenTitle, "Pick one:");

    EXPECT_EQ(SHSimpleIDListFromPath("M:\\no such folder"), nullptr);
    dialog.answer.reset();
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
    SetFolderDialog(before);
}

}  // namespace
