#include <gtest/gtest.h>

#include "platform/runtime.h"
#include "tests/support/temp_folder.h"

namespace {

class DirSearchTest : public ::testing::Test {
protected:
    DirSearchTest() : drives({{'C', "/", "[/]"}, {'T', tree.path(), "[tree]"}}) {
        for (const char* file : {"b song.WAV", "A.mid", ".secret.wav"}) tree.Write(file);
        tree.MakeFolder("folder.wav");
    }
    test_support::TempFolder tree;
    test_support::ScopedDrives drives;
};

TEST_F(DirSearchTest, AttributeMaskDecidesWhatCounts) {
    struct Case {
        const char* pattern;
        int attributes;
        const char* first;
    } cases[] = {
        {"T:\\*.wav", vbNormal, "b song.WAV"},
        {"T:\\B SONG.WAV", vbNormal, "b song.WAV"},
        {"T:\\.SECRET.WAV", vbNormal, ""},
        {"T:\\.secret.wav", vbHidden, ".secret.wav"},
        {"T:\\FOLDER.WAV", vbReadOnly | vbHidden | vbSystem | vbArchive, ""},
        {"T:\\FOLDER.WAV", vbDirectory, "folder.wav"},
        {"T:\\*", vbNormal, "A.mid"},
        {"T:\\", vbNormal, "A.mid"},
        {"T:\\nothing\\*.wav", vbNormal, ""},
        {"Q:\\*.wav", vbNormal, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Dir(c.pattern, c.attributes), c.first) << c.pattern;
}

}  // namespace
