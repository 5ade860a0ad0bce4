// The directory and file lists: what each shows and refuses, and the events the window uses.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/toolkit/dir_list_box.h"
#include "platform/toolkit/file_list_box.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

using Names = std::vector<std::string>;

class ListsTest : public testing::Test {
  protected:
    ListsTest() {
        for (const char* name : {"zebra", "Alpha", "älter", ".hidden", "beta", "folder.mid"})
            first.MakeFolder(std::string("Music/") + name);
        for (const char* name : {"Song A.mid", "ballad.MID", "Ännchen.rmi", "notes.midi",
                                 ".hidden.mid", "Beep One.wav", "chime.WAV", "readme.txt"})
            first.Write(std::string("Music/") + name);
    }
    static Names Entries(const auto& control) {
        Names names;
        for (std::int16_t i = 0; i < control.ListCount(); ++i) names.push_back(control.List(i));
        return names;
    }
    void ShowWaves() {
        list.Pattern("*.wav");
        list.Path("E:\\Music");
        ASSERT_TRUE(ShowActive(form));
    }
    QListWidget* View() const { return static_cast<QListWidget*>(list.Widget()); }

    test_support::TempFolder first;
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'E', first.path(), "[first]"}}};
    TestForm form;
    DirListBox dir{form};
    FileListBox list{form};
};

// F5 reaching KeyDown is checked through the window's browsing tests.
TEST_F(ListsTest, DirectoryListShowsSubfoldersSortedIgnoringCaseAndEnterOpensOne) {
    dir.Path("e:\\music");
    EXPECT_EQ(dir.Path(), "E:\\Music");
    EXPECT_EQ(Entries(dir), (Names{"E:\\Music\\Alpha", "E:\\Music\\beta", "E:\\Music\\folder.mid",
                                   "E:\\Music\\zebra", "E:\\Music\\älter"}));
    ASSERT_TRUE(ShowActive(form));
    std::vector<std::int16_t> keys;
    dir.KeyDown = [&](std::int16_t key, std::int16_t) { keys.push_back(key); };
    auto* tree = static_cast<QTreeWidget*>(dir.Widget());
    tree->setCurrentItem(tree->currentItem()->child(1));
    PressKey(tree, Qt::Key_Return);
    EXPECT_EQ(dir.Path(), "E:\\Music\\beta");
    EXPECT_EQ(keys, std::vector<std::int16_t>{13});
}

TEST_F(ListsTest, ChangeComesOnlyWhenThePathChangesAndBadPathsLeaveTheListsAlone) {
    dir.Path("E:\\Music");
    ShowWaves();
    int changes = 0;
    dir.Change = [&] { ++changes; };
    dir.Path("E:\\MUSIC");
    for (const char* bad : {"E:\\Music\\readme.txt", "E:\\nowhere", "q:"}) {
        EXPECT_THROW(dir.Path(bad), RuntimeError) << bad;
        EXPECT_THROW(list.Path(bad), RuntimeError) << bad;
    }
    EXPECT_EQ(dir.Path(), "E:\\Music");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(list.Path(), "E:\\Music");
    EXPECT_EQ(list.ListCount(), 2);
}

TEST_F(ListsTest, FileListShowsMatchingFilesSortedIgnoringCaseWithoutHiddenOnesOrFolders) {
    list.Pattern("*.mid;*.rmi");
    list.Path("e:\\MUSIC");
    EXPECT_EQ(list.Path(), "E:\\Music");
    EXPECT_EQ(Entries(list), (Names{"ballad.MID", "Song A.mid", "Ännchen.rmi"}));
    EXPECT_EQ(list.ListIndex(), -1);
}

// Refresh keeping the selection is checked through F5 in the window's browsing tests.
TEST_F(ListsTest, RefreshLetsTheSelectionGoWhenItsFileIsGone) {
    ShowWaves();
    list.ListIndex(1);
    std::filesystem::remove(first.path() / "Music/chime.WAV");
    list.Refresh();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");
    EXPECT_THROW(list.ListIndex(1), RuntimeError);
}

TEST_F(ListsTest, AFileDraggedOutGivesItsFileAsALinkAndAsTextToCopyOnly) {
    ShowWaves();
    QAbstractItemModel* model = View()->model();
    const std::unique_ptr<QMimeData> data(model->mimeData({model->index(1, 0)}));
    ASSERT_NE(data, nullptr);
    const QString file = QString::fromStdString((first.path() / "Music/chime.WAV").string());
    EXPECT_EQ(data->urls(), QList<QUrl>{QUrl::fromLocalFile(file)});
    EXPECT_EQ(data->text(), file);
    EXPECT_TRUE(data->hasFormat("text/uri-list"));
    EXPECT_EQ(model->supportedDragActions(), Qt::CopyAction);
}

// Only left double-clicks play, even on an empty place; auto-repeated key releases are not
// reported.
TEST_F(ListsTest, OnlyLeftDoubleClicksAndTheLastReleaseOfAKeyAreReported) {
    ShowWaves();
    int releases = 0;
    list.KeyUp = [&](std::int16_t, std::int16_t) { ++releases; };
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list.Widget(), &repeated);
    EXPECT_EQ(releases, 0);
    Names clicked;
    list.DblClick = [&] { clicked.push_back(list.FileName()); };
    QWidget* viewport = View()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(5, viewport->height() - 5));
    const QPoint top = View()->visualItemRect(View()->item(0)).center();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
        QTest::mouseDClick(viewport, button, {}, top);
    }
    EXPECT_EQ(clicked, (Names{"", "Beep One.wav"}));
}

}  // namespace
