// Windows paths onto a temporary tree with mixed case, spaces and non-ASCII names.
#include <gtest/gtest.h>

#include "platform/drives.h"
#include "platform/runtime.h"
#include "tests/support/temp_folder.h"

namespace {

class PathsTest : public ::testing::Test {
protected:
    PathsTest() {
        for (const char* file : {"My Music/Song One.mid", "My Music/Ärger.WAV", "Twins/Song.mid",
                                 "Twins/song.mid", "Twins/SONG.MID", "Deep/er/file.wav", "b song.WAV",
                                 "A.mid", ".secret.wav"})
            tree.Write(file);
        tree.MakeFolder("folder.wav");
    }
    // Each path and what it resolves to under the tree; "-" when nothing.
    void ExpectResolved(auto resolve, const std::vector<std::pair<std::string, std::string>>& rows) {
        for (const auto& [path, expected] : rows) {
            const auto resolved = resolve(path);
            if (expected == "-") {
                EXPECT_EQ(resolved, std::nullopt) << path;
            } else {
                EXPECT_EQ(resolved, tree.path() / expected) << path;
            }
        }
    }
    test_support::TempFolder tree;
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', tree.path(), "[tree]"}}};
};

TEST_F(PathsTest, ComponentsResolveIgnoringCaseInsideTheDrive) {
    ExpectResolved(drives::Resolve, {
        {"T:\\MY MUSIC\\SONG ONE.MID", "My Music/Song One.mid"},
        {"t:\\my music\\ärger.wav", "My Music/Ärger.WAV"},
        {"T:/Deep/ER/FILE.wav", "Deep/er/file.wav"},
        // The exact spelling wins; any other spelling takes the first name in code-point order.
        {"T:\\Twins\\song.mid", "Twins/song.mid"},
        {"T:\\TWINS\\sOnG.MiD", "Twins/SONG.MID"},
        {"T:\\\\Deep\\\\er\\file.wav", "Deep/er/file.wav"},
        {"T:\\Deep\\.\\er\\..\\er\\file.wav", "Deep/er/file.wav"},
        {"T:\\..\\..\\Deep", "Deep"},  // never above the drive
        {"T:\\Deep\\nothing.wav", "-"},
        {"T:\\Deep\\er\\file.wav\\more", "-"},
        {"Q:\\", "-"},
        {"", "-"},
    });
    ExpectResolved(drives::ResolveForCreate, {
        {"T:\\DEEP\\New File.wav", "Deep/New File.wav"},  // keeps the new name
        {"T:\\DEEP\\ER\\FILE.WAV", "Deep/er/file.wav"},   // but finds an existing one
        {"T:\\Nowhere\\new.wav", "-"},
        {"T:\\Deep\\", "-"},
    });
}

TEST_F(PathsTest, EachDriveKeepsItsOwnCurrentDirectory) {
    drives::SetCurrentDirectory("T:\\Deep");
    EXPECT_EQ(drives::CurrentDirectory('t'), "T:\\Deep");
    ExpectResolved(drives::Resolve, {{"T:er\\file.wav", "Deep/er/file.wav"}, {"T:\\Twins", "Twins"}});
}

TEST_F(PathsTest, WindowsFormUsesTheClosestDrive) {
    EXPECT_EQ(drives::ToWindows(tree.path() / "My Music/Ärger.WAV"), "T:\\My Music\\Ärger.WAV");
    EXPECT_EQ(drives::ToWindows(tree.path()), "T:\\");
    EXPECT_EQ(drives::ToWindows("/"), "C:\\");
}

// Dir as the media class asks it: whether a file, or any file on a drive, is there.
TEST_F(PathsTest, DirFindsTheFirstFileThatMatches) {
    const struct {
        const char* pattern;
        int attributes;
        const char* first;
    } cases[] = {
        {"T:\\*.wav", vbNormal, "b song.WAV"},
        {"T:\\B SONG.WAV", vbNormal, "b song.WAV"},
        {"T:\\.SECRET.WAV", vbNormal, ""},
        {"T:\\FOLDER.WAV", vbReadOnly | vbHidden | vbSystem | vbArchive, ""},
        {"T:\\", vbNormal, "A.mid"},
        {"T:\\nothing\\*.wav", vbNormal, ""},
        {"Q:\\*.wav", vbNormal, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Dir(c.pattern, c.attributes), c.first) << c.pattern;
}

TEST(Wildcards, MatchAsWindowsDoesIgnoringCase) {
    const struct {
        const char* pattern;
        std::string name;
        bool matches;
    } cases[] = {{"*.mid", "Song.MID", true},   {"*.mid", "song.midi", false},
                 {"*.wav", "a.b.WAV", true},    {"?.wav", "ab.wav", false},
                 {"s?ng*", "SONG.mid", true},   {"*.*", "README", true},
                 {"*a*a*a*b", std::string(200, 'a'), false}, {"ä*", "Ärger.wav", true}};
    for (const auto& c : cases)
        EXPECT_EQ(drives::WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

}  // namespace
