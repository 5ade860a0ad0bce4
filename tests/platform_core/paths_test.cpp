// Windows paths onto a temporary tree with mixed case, spaces and non-ASCII names.
#include <gtest/gtest.h>

#include "platform/drives.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScopedDrives;
using test_support::TempFolder;

class PathsTest : public ::testing::Test {
protected:
    PathsTest() : drives({{'C', "/", "[/]"}, {'T', tree.path(), "[tree]"}}) {
        tree.Write("My Music/Song One.mid");
        tree.Write("My Music/Ärger.WAV");
        tree.Write("Twins/Song.mid");
        tree.Write("Twins/song.mid");
        tree.Write("Twins/SONG.MID");
        tree.Write("Deep/er/file.wav");
    }
    TempFolder tree;
    ScopedDrives drives;
};

TEST_F(PathsTest, ComponentsResolveIgnoringCase) {
    EXPECT_EQ(drives::Resolve("T:\\MY MUSIC\\SONG ONE.MID"), tree.path() / "My Music/Song One.mid");
    EXPECT_EQ(drives::Resolve("t:\\my music\\ärger.wav"), tree.path() / "My Music/Ärger.WAV");
    EXPECT_EQ(drives::Resolve("T:\\MY MUSIC\\ÄRGER.WAV"), tree.path() / "My Music/Ärger.WAV");
    EXPECT_EQ(drives::Resolve("T:/Deep/ER/FILE.wav"), tree.path() / "Deep/er/file.wav");
}

TEST_F(PathsTest, NamesThatDifferOnlyInCase) {
    // The exact spelling wins; any other spelling takes the first name in code-point order.
    EXPECT_EQ(drives::Resolve("T:\\Twins\\song.mid"), tree.path() / "Twins/song.mid");
    EXPECT_EQ(drives::Resolve("T:\\Twins\\SONG.MID"), tree.path() / "Twins/SONG.MID");
    EXPECT_EQ(drives::Resolve("T:\\Twins\\sOnG.MiD"), tree.path() / "Twins/SONG.MID");
    EXPECT_EQ(drives::Resolve("T:\\TWINS\\sOnG.MiD"), drives::Resolve("T:\\twins\\SoNg.mId"));
}

TEST_F(PathsTest, SeparatorsDotsAndMissingNames) {
    EXPECT_EQ(drives::Resolve("T:\\\\Deep\\\\er\\file.wav"), tree.path() / "Deep/er/file.wav");
    EXPECT_EQ(drives::Resolve("T:\\Deep\\.\\er\\..\\er\\file.wav"), tree.path() / "Deep/er/file.wav");
    EXPECT_EQ(drives::Resolve("T:\\..\\..\\Deep"), tree.path() / "Deep");  // never above the drive
    EXPECT_EQ(drives::Resolve("T:\\Deep\\nothing.wav"), std::nullopt);
    EXPECT_EQ(drives::Resolve("T:\\Deep\\er\\file.wav\\more"), std::nullopt);
    EXPECT_EQ(drives::Resolve("Q:\\"), std::nullopt);
    EXPECT_EQ(drives::Resolve(""), std::nullopt);
}

TEST_F(PathsTest, EachDriveKeepsItsOwnCurrentDirectory) {
    drives::SetCurrentDirectory("T:\\Deep");
    EXPECT_EQ(drives::CurrentDirectory('t'), "T:\\Deep");
    EXPECT_EQ(drives::Resolve("T:er\\file.wav"), tree.path() / "Deep/er/file.wav");
    EXPECT_EQ(drives::Resolve("T:\\Twins"), tree.path() / "Twins");
}

TEST_F(PathsTest, WindowsFormUsesTheClosestDrive) {
    EXPECT_EQ(drives::ToWindows(tree.path() / "My Music/Ärger.WAV"), "T:\\My Music\\Ärger.WAV");
    EXPECT_EQ(drives::ToWindows(tree.path()), "T:\\");
    EXPECT_EQ(drives::ToWindows("/usr/share"), "C:\\usr\\share");
    EXPECT_EQ(drives::ToWindows("/"), "C:\\");
}

TEST_F(PathsTest, CreatingKeepsTheNewNameButFindsAnExistingOne) {
    EXPECT_EQ(drives::ResolveForCreate("T:\\DEEP\\New File.wav"), tree.path() / "Deep/New File.wav");
    EXPECT_EQ(drives::ResolveForCreate("T:\\DEEP\\ER\\FILE.WAV"), tree.path() / "Deep/er/file.wav");
    EXPECT_EQ(drives::ResolveForCreate("T:\\Nowhere\\new.wav"), std::nullopt);
    EXPECT_EQ(drives::ResolveForCreate("T:\\Deep\\"), std::nullopt);
}

TEST(Wildcards, MatchAsWindowsDoesIgnoringCase) {
    struct Case {
        const char* pattern;
        std::string name;
        bool matches;
    } cases[] = {{"*.mid", "Song.MID", true},   {"*.mid", "song.midi", false},
                 {"*.wav", "a.b.WAV", true},    {"?.wav", "ab.wav", false},
                 {"s?ng*", "SONG.mid", true},   {"*.*", "README", true},
                 {"*a*a*a*b", std::string(200, 'a'), false},
                 {"*.rmi", "ÄRGER.RMI", true}, {"ä*", "Ärger.wav", true}};
    for (const auto& c : cases) EXPECT_EQ(drives::WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

}  // namespace
