// The file list: which names it shows for a pattern, how it refuses a folder it cannot read,
// and the keyboard and mouse events the channels rely on.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/toolkit/file_list_box.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

using Names = std::vector<std::string>;

class FileListTest : public testing::Test {
  protected:
    FileListTest() {
        for (const char* name : {"Song A.mid", "ballad.MID", "Ännchen.rmi", "notes.midi",
                                 ".hidden.mid", "Beep One.wav", "chime.WAV", "readme.txt"}) {
            folder.Write(std::string("music/") + name);
        }
        folder.MakeFolder("music/folder.mid");
    }
    Names Entries() const {
        Names names;
        for (std::int16_t i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
        return names;
    }
    // The wave files, with the form shown when the test presses keys or clicks.
    void ShowWaves(bool shown = false) {
        list.Pattern("*.wav");
        list.Path("T:\\music");
        if (shown) {
            ASSERT_TRUE(ShowActive(form));
        }
    }
    QListWidget* View() const { return static_cast<QListWidget*>(list.Widget()); }

    test_support::TempFolder folder;
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}}};
    TestForm form;
    FileListBox list{form};
};

TEST_F(FileListTest, ListsMatchingFilesSortedIgnoringCaseWithoutHiddenOnesOrFolders) {
    const std::pair<const char*, Names> rows[] = {
        {"*.mid;*.rmi", {"ballad.MID", "Song A.mid", "Ännchen.rmi"}},
        {"*.wav", {"Beep One.wav", "chime.WAV"}},
        {"s*", {"Song A.mid"}},
        {"*.*",
         {"ballad.MID", "Beep One.wav", "chime.WAV", "notes.midi", "readme.txt", "Song A.mid",
          "Ännchen.rmi"}}};
    for (const auto& [pattern, expected] : rows) {
        list.Pattern(pattern);
        list.Path("t:\\MUSIC");
        EXPECT_EQ(list.Path(), "T:\\music");
        EXPECT_EQ(Entries(), expected) << pattern;
        EXPECT_EQ(list.ListIndex(), -1);
    }
}

TEST_F(FileListTest, AFolderThatCannotBeReadLeavesTheListAsItWas) {
    ShowWaves();
    for (const char* bad : {"T:\\missing", "T:\\music\\readme.txt", "Q:\\", "q:"}) {
        EXPECT_THROW(list.Path(bad), RuntimeError) << bad;
        EXPECT_EQ(list.Path(), "T:\\music");
        EXPECT_EQ(list.ListCount(), 2);
    }
}

// Refresh keeping the selection is checked through F5 in the window's browsing tests.
TEST_F(FileListTest, RefreshLetsTheSelectionGoWhenItsFileIsGone) {
    ShowWaves();
    list.ListIndex(1);
    std::filesystem::remove(folder.path() / "music/chime.WAV");
    list.Refresh();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");
    EXPECT_THROW(list.ListIndex(1), RuntimeError);
}

TEST_F(FileListTest, AnEntryDraggedOutGivesItsFileAsALinkAndAsTextToCopyOnly) {
    ShowWaves();
    QAbstractItemModel* model = View()->model();
    const std::unique_ptr<QMimeData> data(model->mimeData({model->index(1, 0)}));
    ASSERT_NE(data, nullptr);
    const QString file = QString::fromStdString((folder.path() / "music/chime.WAV").string());
    EXPECT_EQ(data->urls(), QList<QUrl>{QUrl::fromLocalFile(file)});
    EXPECT_EQ(data->text(), file);
    EXPECT_TRUE(data->hasFormat("text/uri-list"));
    EXPECT_EQ(model->supportedDragActions(), Qt::CopyAction);
}

TEST_F(FileListTest, AutoRepeatedReleasesAreNotReported) {
    int releases = 0;
    list.KeyUp = [&](std::int16_t, std::int16_t) { ++releases; };
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list.Widget(), &repeated);
    EXPECT_EQ(releases, 0);
}

// Only the left button plays, and on an empty place with nothing selected.
TEST_F(FileListTest, OnlyTheLeftButtonsDoubleClickRaisesDblClickEvenOnAnEmptyPlace) {
    ShowWaves(true);
    Names clicked;
    list.DblClick = [&] { clicked.push_back(list.FileName()); };
    QWidget* viewport = View()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 5));
    const QPoint first = View()->visualItemRect(View()->item(0)).center();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
        QTest::mouseDClick(viewport, button, {}, first);
    }
    EXPECT_EQ(clicked, (Names{"", "Beep One.wav"}));
}

TEST_F(FileListTest, TakingTheFocusFailsWhileTheWindowIsHidden) {
    EXPECT_THROW(list.SetFocus(), RuntimeError);
    ASSERT_TRUE(ShowActive(form));
    EXPECT_NO_THROW(list.SetFocus());
}

}  // namespace
