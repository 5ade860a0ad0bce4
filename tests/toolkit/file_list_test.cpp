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
#include "platform/toolkit/menu.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

using test_support::ScopedDrives;
using test_support::TempFolder;

std::vector<std::string> Entries(const FileListBox& list) {
    std::vector<std::string> names;
    for (std::int16_t i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
    return names;
}

class FileListTest : public testing::Test {
  protected:
    FileListTest() {
        for (const char* name : {"Song A.mid", "ballad.MID", "Ännchen.rmi", "notes.midi",
                                 ".hidden.mid", "Beep One.wav", "chime.WAV", "readme.txt"}) {
            folder.Write(std::string("music/") + name);
        }
        folder.MakeFolder("music/folder.mid");
    }

    TempFolder folder;
    ScopedDrives drives{{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}}};
    TestForm form;
    FileListBox list{form};
};

struct PatternCase {
    const char* pattern;
    std::vector<std::string> expected;
};

class FileListPatterns : public FileListTest, public testing::WithParamInterface<PatternCase> {};

TEST_P(FileListPatterns, ListsMatchingFilesSortedIgnoringCaseWithoutHiddenOnesOrFolders) {
    list.Pattern(GetParam().pattern);
    list.Path("t:\\MUSIC");
    EXPECT_EQ(list.Path(), "T:\\music");
    EXPECT_EQ(Entries(list), GetParam().expected);
    EXPECT_EQ(list.ListIndex(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileListPatterns,
    testing::Values(PatternCase{"*.mid;*.rmi", {"ballad.MID", "Song A.mid", "Ännchen.rmi"}},
                    PatternCase{"*.wav", {"Beep One.wav", "chime.WAV"}},
                    PatternCase{"s*", {"Song A.mid"}},
                    PatternCase{"*.*",
                                {"ballad.MID", "Beep One.wav", "chime.WAV", "notes.midi",
                                 "readme.txt", "Song A.mid", "Ännchen.rmi"}}));

TEST_F(FileListTest, AFolderThatCannotBeReadLeavesTheListAsItWas) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    for (const char* bad : {"T:\\missing", "T:\\music\\readme.txt", "Q:\\", "q:"}) {
        EXPECT_THROW(list.Path(bad), RuntimeError) << bad;
        EXPECT_EQ(list.Path(), "T:\\music");
        EXPECT_EQ(list.ListCount(), 2);
    }
}

TEST_F(FileListTest, RefreshSeesNewFilesAndKeepsTheSelectedNameWhileItIsThere) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    list.ListIndex(1);
    EXPECT_EQ(list.FileName(), "chime.WAV");
    folder.Write("music/alarm.wav");
    list.Refresh();
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"alarm.wav", "Beep One.wav", "chime.WAV"}));
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(list.FileName(), "chime.WAV");

    std::filesystem::remove(folder.path() / "music/chime.WAV");
    list.Refresh();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");
    EXPECT_THROW(list.ListIndex(2), RuntimeError);
}

TEST_F(FileListTest, AnEntryDraggedOutGivesItsFileAsALinkAndAsTextToCopyOnly) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    QAbstractItemModel* model = static_cast<QListWidget*>(list.Widget())->model();
    const std::unique_ptr<QMimeData> data(model->mimeData({model->index(1, 0)}));
    ASSERT_NE(data, nullptr);
    const QString file = QString::fromStdString((folder.path() / "music/chime.WAV").string());
    EXPECT_EQ(data->urls(), QList<QUrl>{QUrl::fromLocalFile(file)});
    EXPECT_EQ(data->text(), file);
    EXPECT_TRUE(data->hasFormat("text/uri-list"));
    EXPECT_EQ(model->supportedDragActions(), Qt::CopyAction);
}

TEST_F(FileListTest, ArrowKeysMoveTheSelectionFirstAndReportTheReleaseAfter) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    ASSERT_TRUE(ShowActive(form));
    std::vector<std::pair<std::int16_t, std::int16_t>> releases;  // key code, selection then
    list.KeyUp = [&](std::int16_t key, std::int16_t) {
        releases.emplace_back(key, list.ListIndex());
    };
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}) {
        PressKey(list.Widget(), key);
    }
    const std::vector<std::pair<std::int16_t, std::int16_t>> expected = {
        {40, 0}, {40, 1}, {40, 1}, {38, 0}, {13, 0}};
    EXPECT_EQ(releases, expected);
}

TEST_F(FileListTest, AutoRepeatedReleasesAreNotReported) {
    int releases = 0;
    list.KeyUp = [&](std::int16_t, std::int16_t) { ++releases; };
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list.Widget(), &repeated);
    EXPECT_EQ(releases, 0);
}

TEST_F(FileListTest, DoubleClickOnAnEmptyPlaceStillRaisesDblClickWithNothingSelected) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    ASSERT_TRUE(ShowActive(form));
    std::vector<std::string> clicked;
    list.DblClick = [&] { clicked.push_back(list.FileName()); };
    auto* view = static_cast<QListWidget*>(list.Widget());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       QPoint(5, view->viewport()->height() - 5));
    const QRect second = view->visualItemRect(view->item(1));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(clicked, (std::vector<std::string>{"", "chime.WAV"}));
}

TEST_F(FileListTest, OnlyTheLeftButtonsDoubleClickRaisesDblClick) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    ASSERT_TRUE(ShowActive(form));
    std::vector<std::string> clicked;
    list.DblClick = [&] { clicked.push_back(list.FileName()); };
    auto* view = static_cast<QListWidget*>(list.Widget());
    const QPoint first = view->visualItemRect(view->item(0)).center();
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
        QTest::mouseDClick(view->viewport(), button, {}, first);
    }
    EXPECT_EQ(clicked, (std::vector<std::string>{"Beep One.wav"}));
}

TEST_F(FileListTest, AKeyTakenByAMenuShortcutIsNotReportedAsReleasedInTheList) {
    list.Pattern("*.wav");
    list.Path("T:\\music");
    Menu menu(form, "&Sounds");
    Menu refresh(menu, "&Refresh", "F5");
    int refreshes = 0;
    refresh.Click = [&] { ++refreshes; };
    std::vector<std::int16_t> released;
    list.KeyUp = [&](std::int16_t key, std::int16_t) { released.push_back(key); };
    ASSERT_TRUE(ShowActive(form));
    for (Qt::Key key : {Qt::Key_F5, Qt::Key_Down, Qt::Key_F5}) PressKey(list.Widget(), key);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(released, std::vector<std::int16_t>{40});
}

TEST_F(FileListTest, TakingTheFocusFailsWhileTheWindowIsHidden) {
    EXPECT_THROW(list.SetFocus(), RuntimeError);
    ASSERT_TRUE(ShowActive(form));
    EXPECT_NO_THROW(list.SetFocus());
}

}  // namespace
