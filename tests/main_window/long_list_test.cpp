// A folder of more files than a 16-bit index can count: the lists hold them all, and a file
// past the 32,767th still plays itself.
#include <gtest/gtest.h>

#include <QListWidget>
#include <cstdio>
#include <filesystem>

#include "platform/runtime_error.h"
#include "tests/main_window/main_window_fixture.h"

namespace {

TEST_F(MainWindowTest, EveryFileOfAFolderOfThirtyThreeThousandPlays) {
    const auto big = folder.MakeFolder("big");
    constexpr int files = 33000;
    // Links to one empty file: a new directory entry each, made far faster than a new file.
    const auto empty = folder.Write("empty", "");
    for (int i = 0; i < files; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "w%05d.wav", i);
        std::filesystem::create_hard_link(empty, big / name);
    }
    form->Directory1.Path("T:\\big");
    EXPECT_THROW(form->WAVEs.ListCount(), RuntimeError);  // 16 bits cannot count them
    form->WAVEs.ListIndex(32767);
    EXPECT_EQ(form->WAVEs.FileName(), "w32767.wav");

    auto* view = static_cast<QListWidget*>(form->WAVEs.Widget());
    ASSERT_EQ(view->count(), files);
    for (int row : {32767, 32768, 32999}) {
        view->setCurrentRow(row);  // as a click or the keyboard selects it
        char name[16];
        std::snprintf(name, sizeof name, "w%05d.wav", row);
        EXPECT_EQ(form->WAVEs.FileName(), name);
        mci.Clear();
        form->WAVEs.DblClick();
        ASSERT_EQ(mci.Commands().size(), 4U);
        EXPECT_EQ(mci.Commands()[2], "open WaveAudio!T:\\BIG\\" + UCase(name) + " alias WAVE wait");
    }
}

}  // namespace
