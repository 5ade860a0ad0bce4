// Controls on a form where they differ from plain Qt, and the dialogs the program opens.
#include <gtest/gtest.h>

#include <QDialog>
#include <QEvent>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <functional>
#include <vector>

#include "platform/shell.h"
#include "platform/toolkit/command_button.h"
#include "platform/toolkit/vscroll_bar.h"
#include "platform/user_interface.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

class FormTest : public testing::Test {
  protected:
    TestForm form;
    VScrollBar bar{form};
};

// Refusals, Change only on a change, and Min above Max are checked through the window's volume.
TEST_F(FormTest, TabReachesTheBarWhichShowsTheFocusAndTheArrowAndPageKeysAndItsRangeMoveIt) {
    CommandButton before(form);
    before.TabIndex(0);
    bar.TabIndex(1);
    bar.Max(100);
    bar.SmallChange(5);
    bar.LargeChange(20);
    bar.Value(50);
    std::vector<std::int16_t> values;
    bar.Change = [&] { values.push_back(bar.Value()); };
    ASSERT_TRUE(ShowActive(form));
    const QImage unfocused = bar.Widget()->grab().toImage();
    PressKey(before.Widget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), bar.Widget());
    EXPECT_NE(bar.Widget()->grab().toImage(), unfocused);  // it shows where the focus is
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_PageUp,
                        Qt::Key_PageUp}) {
        QTest::keyClick(form.Window()->windowHandle(), key);
    }
    bar.Max(5);  // shrinking the range pulls the value in and reports it
    EXPECT_EQ(values, (std::vector<std::int16_t>{55, 75, 70, 50, 30, 10, 5}));
    EXPECT_EQ(bar.Value(), 5);
}

// Boxes one after another, as one failure shows them, over a top-most window.
TEST_F(FormTest, EachBoxOfAFailureOpensAboveATopMostOwnerWithTheFocusAndClosesOnItsKeys) {
    ASSERT_TRUE(ShowActive(form));
    SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
        SCOPED_TRACE(key);
        bool closedByKey = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "  Can Not Access Drive");
            EXPECT_EQ(box->text(), "d: is not accessible.\n\nThe device is not ready.");
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            EXPECT_EQ(box->windowHandle()->transientParent(), form.Window()->windowHandle());
            EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            EXPECT_TRUE(QTest::qWaitForWindowActive(box));
            QTest::keyClick(box, key);
            closedByKey = !box->isVisible();
            if (!closedByKey) box->close();
        });
        EXPECT_EQ(MsgBox("d: is not accessible.\r\rThe device is not ready.", vbCritical,
                         "  Can Not Access Drive"),
                  vbOK);
        EXPECT_TRUE(closedByKey);
    }
}

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

TEST_F(FormTest, SetWindowPosChangesTheTopmostBandAndNothingElse) {
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

void WhenTheDialogIsUp(std::function<void(QDialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

// The folder the dialog gives for the prompt and start folder, in Windows form, or "".
std::string Browse(const char* prompt, const std::string& start, char* displayName) {
    ITEMIDLIST* root = SHSimpleIDListFromPath(start.c_str());
    BROWSEINFOA info{};
    info.pidlRoot = root;
    info.pszDisplayName = displayName;
    info.lpszTitle = prompt;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    ITEMIDLIST* chosen = SHBrowseForFolder(&info);
    char path[260] = {};
    if (chosen != nullptr) {
        EXPECT_NE(SHGetPathFromIDList(chosen, path), 0);
    }
    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
    return path;
}

// The real folder dialog behind the shell functions (the window's tests use a stand-in).
TEST(FolderPicker, OpensOnTheStartFolderWithThePromptAboveTheTreeAndGivesTheChosenFolder) {
    EnsureApplication();
    test_support::TempFolder folder;
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'M', folder.path(), "[music]"}});
    const auto chosen = folder.MakeFolder("Start/Mürrisch Musik");
    const char* prompt = "Select The Directory To Open:";
    WhenTheDialogIsUp([&](QDialog& dialog) {
        std::vector<std::string> visibleTexts;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->isVisible()) visibleTexts.push_back(label->text().toStdString());
        }
        EXPECT_EQ(visibleTexts, std::vector<std::string>{prompt});
        EXPECT_NE(dialog.windowTitle().toStdString(), prompt);
        EXPECT_FALSE(dialog.windowTitle().isEmpty());
        auto* tree = dialog.findChild<QTreeView*>();
        EXPECT_FALSE(tree->accessibleName().isEmpty());
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        EXPECT_EQ(model->filePath(tree->rootIndex()).toStdString(),
                  (folder.path() / "Start").string());
        tree->setCurrentIndex(model->index(QString::fromStdString(chosen.string())));
        dialog.accept();
    });
    char displayName[260] = {};
    EXPECT_EQ(Browse(prompt, "m:\\start", displayName), "M:\\Start\\Mürrisch Musik");
    EXPECT_STREQ(displayName, "Mürrisch Musik");

    EXPECT_EQ(SHSimpleIDListFromPath("M:\\no such folder"), nullptr);
    WhenTheDialogIsUp([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(Browse("Pick one:", "M:\\Start", displayName), "");
}

}  // namespace
