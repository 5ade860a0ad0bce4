// The drive and directory lists: drive texts, each drive's own current directory, the tree of
// ancestors and subfolders, and refusing what cannot be read.
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/toolkit/dir_list_box.h"
#include "platform/toolkit/drive_list_box.h"
#include "platform/toolkit/file_list_box.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

class BrowsingListsTest : public testing::Test {
  protected:
    BrowsingListsTest() {
        for (const char* name : {"zebra", "Alpha", "älter", ".hidden", "beta"}) {
            first.MakeFolder(std::string("Music/") + name);
        }
        first.Write("Music/file.mid");
        second.MakeFolder("Sounds");
    }

    test_support::TempFolder first;
    test_support::TempFolder second;
    test_support::ScopedDrives drives{
        {{'C', "/", "[/]"}, {'E', first.path(), "[first]"}, {'F', second.path(), "[second]"}}};
    TestForm form;
    DirListBox dir{form};
};

TEST_F(BrowsingListsTest, DriveListShowsEachLetterWithItsLabelAndSelectsByFirstLetter) {
    DriveListBox drive(form);
    ASSERT_EQ(drive.ListCount(), 3);
    EXPECT_EQ(drive.List(1), "e: [first]");
    int changes = 0;
    drive.Change = [&] { ++changes; };
    drive.Drive("F:\\Sounds");
    EXPECT_EQ(drive.Drive(), "f: [second]");
    drive.Drive("f");
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(drive.Drive("x: [none]"), RuntimeError);
    EXPECT_THROW(drive.Drive(""), RuntimeError);
    EXPECT_EQ(drive.Drive(), "f: [second]");
}

TEST_F(BrowsingListsTest, DirectoryListShowsSubfoldersSortedIgnoringCaseWithoutHiddenOnes) {
    dir.Path("e:\\music");
    EXPECT_EQ(dir.Path(), "E:\\Music");
    std::vector<std::string> children;
    for (std::int16_t i = 0; i < dir.ListCount(); ++i) children.push_back(dir.List(i));
    EXPECT_EQ(children, (std::vector<std::string>{"E:\\Music\\Alpha", "E:\\Music\\beta",
                                                  "E:\\Music\\zebra", "E:\\Music\\älter"}));
    const auto* tree = static_cast<QTreeWidget*>(dir.Widget());
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "E:\\");
    EXPECT_EQ(tree->currentItem()->text(0), "Music");
}

TEST_F(BrowsingListsTest, EachDriveReturnsToItsOwnCurrentDirectory) {
    dir.Path("E:\\Music\\beta");
    dir.Path("F:\\Sounds");
    dir.Path("e: [first]");
    EXPECT_EQ(dir.Path(), "E:\\Music\\beta");
    dir.Path("f:");
    EXPECT_EQ(dir.Path(), "F:\\Sounds");
}

TEST_F(BrowsingListsTest, ChangeComesOnlyWhenThePathChangesAndBadPathsLeaveItAlone) {
    dir.Path("E:\\Music");
    int changes = 0;
    dir.Change = [&] { ++changes; };
    dir.Path("E:\\MUSIC");
    for (const char* bad : {"E:\\Music\\file.mid", "E:\\nowhere", "Q:", "Q:\\"}) {
        EXPECT_THROW(dir.Path(bad), RuntimeError) << bad;
    }
    EXPECT_EQ(dir.Path(), "E:\\Music");
    EXPECT_EQ(changes, 0);
}

TEST_F(BrowsingListsTest, EnterOpensTheChosenFolderAndF5ReachesKeyDown) {
    dir.Path("E:\\Music");
    ASSERT_TRUE(ShowActive(form));
    std::vector<std::int16_t> keys;
    dir.KeyDown = [&](std::int16_t key, std::int16_t) { keys.push_back(key); };
    auto* tree = static_cast<QTreeWidget*>(dir.Widget());
    tree->setCurrentItem(tree->currentItem()->child(1));
    PressKey(tree, Qt::Key_Return);
    EXPECT_EQ(dir.Path(), "E:\\Music\\beta");
    PressKey(tree, Qt::Key_F5);
    EXPECT_EQ(keys, (std::vector<std::int16_t>{13, 116}));
}

}  // namespace
