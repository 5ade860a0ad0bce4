// Windows paths and short paths onto a tree with mixed case, spaces and non-ASCII names (twins,
// odd names and a deep path are played through the real window), and conversions of names and
// numbers.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <set>

#include "platform/core/folder_listing.h"
#include "platform/drives.h"
#include "platform/kernel.h"
#include "platform/runtime.h"
#include "platform/runtime_error.h"
#include "platform/vb_types.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
  protected:
    PathsTest() {
        for (const char* file :
             {"My Music/Ärger.WAV", "Twins/Song.mid", "Twins/song.mid", "Twins/SONG.MID",
              "Deep/er/file.wav", "b song.WAV", "A.mid", ".secret.wav"})
            tree.Write(file);
        tree.MakeFolder("folder.wav");
    }
    // Each path and what it resolves to under the tree; "-" when nothing.
    void ExpectResolved(auto resolve,
                        const std::vector<std::pair<std::string, std::string>>& rows) {
        for (const auto& [path, expected] : rows) {
            const auto resolved = resolve(path);
            if (expected == "-") {
                EXPECT_EQ(resolved, std::nullopt) << path;
            } else {
                EXPECT_EQ(resolved, tree.path() / expected) << path;
            }
        }
    }
    // The short path, or empty text when the call fails.
    static std::string ShortPath(const std::string& path) {
        char buffer[260] = {};
        const std::uint32_t length = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
        return length == 0 || length >= sizeof buffer ? std::string() : std::string(buffer);
    }
    // What the program does with a file: shorten its path, upper-case it, open what it names.
    std::optional<fs::path> RoundTrip(const fs::path& file) {
        const std::string shortPath = ShortPath(drives::ToWindows(file));
        return shortPath.empty() ? std::nullopt : drives::Resolve(UCase(shortPath));
    }
    test_support::TempFolder tree;
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', tree.path(), "[tree]"}}};
};

TEST_F(PathsTest, ComponentsResolveIgnoringCaseInsideTheDrive) {
    ExpectResolved(
        drives::Resolve,
        {
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
    ExpectResolved(drives::ResolveForCreate,
                   {
                       {"T:\\DEEP\\New File.wav", "Deep/New File.wav"},  // keeps the new name
                       {"T:\\DEEP\\ER\\FILE.WAV", "Deep/er/file.wav"},  // but finds an existing one
                       {"T:\\Nowhere\\new.wav", "-"},
                       {"T:\\Deep\\", "-"},
                   });
}

TEST_F(PathsTest, EachEntryGetsItsShortNameAndItLeadsBack) {
    // Dots beyond the extension's, an extension too long, and an alias an entry already has.
    const std::map<std::string, std::string> shortNames = {{"a.b.c.wav", "ABC~1.WAV"},
                                                           {"new.wave", "NEW~1.WAV"},
                                                           {"LongNames.wav", "LONGNA~2.WAV"},
                                                           {"longna~1.wav", "longna~1.wav"}};
    for (const auto& [name, shortName] : shortNames) tree.Write("ODD/" + name);
    for (const auto& [name, shortName] : shortNames) {
        const fs::path file = tree.path() / "ODD" / name;
        EXPECT_EQ(ShortPath(drives::ToWindows(file)), "T:\\ODD\\" + shortName);
        EXPECT_EQ(RoundTrip(file), file) << name;
    }
}

TEST_F(PathsTest, ManyLongNamesAlikeGetHashedAliasesAfterTheFourth) {
    const auto name = [](int i) { return "takes/Recording " + std::to_string(i) + ".wav"; };
    for (int i = 1; i <= 7; ++i) tree.Write(name(i));
    std::set<std::string> names;
    for (int i = 1; i <= 7; ++i) {
        const fs::path file = tree.path() / name(i);
        const std::string shortPath = ShortPath(drives::ToWindows(file));
        const std::string alias = shortPath.substr(shortPath.rfind('\\') + 1);
        names.insert(alias);
        EXPECT_EQ(RoundTrip(file), file);
        if (i <= 4) {
            EXPECT_EQ(alias, "RECORD~" + std::to_string(i) + ".WAV");
        } else {  // two letters of the name, four hexadecimal digits, "~" and a digit
            EXPECT_TRUE(alias.size() == 12 && alias.starts_with("RE") && alias.ends_with(".WAV") &&
                        alias[6] == '~' && alias[7] >= '1' && alias[7] <= '9' &&
                        alias.find_first_not_of("0123456789ABCDEF", 2) == 6)
                << alias;
        }
    }
    EXPECT_EQ(names.size(), 7u);
}

// A key press shortens the path and opens what the upper-cased short form names. A folder that
// has not changed is read from disk once for all of that, and a change is seen at once.
TEST_F(PathsTest, AFolderIsReadOnceUntilItChanges) {
    const fs::path file = tree.Write("Long Folder/Song Number One.mid");
    for (const fs::path& folder : {tree.path(), file.parent_path()})
        fs::last_write_time(folder, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto readsForTwoKeys = [&](const fs::path& played) {
        const auto before = drives::FolderReads();
        for (int key = 0; key < 2; ++key) EXPECT_EQ(RoundTrip(played), played);
        return drives::FolderReads() - before;
    };
    EXPECT_LE(readsForTwoKeys(file), 2U);
    EXPECT_EQ(readsForTwoKeys(file), 0U);
    const fs::path added = tree.Write("Long Folder/Song Number Two.mid");
    EXPECT_GE(readsForTwoKeys(added), 1U);
}

template <typename Value>
void ExpectError(Value value, std::int32_t number) {
    try {
        CInt(value);
        ADD_FAILURE() << value;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number, number) << value;
    }
}

// Text as a hand-edited setting gives it, and the volume's arithmetic, are checked through the
// window's saved volume and its slider.
TEST(Conversions, NumbersRoundHalvesToTheEvenNeighbourAndOthersRaise) {
    for (auto [value, expected] : {std::pair{2.5, 2}, {-3.5, -4}, {32766.5, 32766}})
        EXPECT_EQ(CInt(value), expected) << value;
    for (double value : {32767.5, 1e300, std::nan("")}) ExpectError(value, vberr::Overflow);
    for (const char* text : {"   ", "12abc", "0x10"})
        ExpectError(std::string(text), vberr::TypeMismatch);
}

TEST(Conversions, UpperCaseKeepsEveryCharacterInItsPlaceAndTrimStripsOnlySpaces) {
    EXPECT_EQ(UCase("c:\\my music\\ärger.mid"), "C:\\MY MUSIC\\ÄRGER.MID");
    EXPECT_EQ(UCase("straße"), "STRAßE");  // not "STRASSE": the name must still resolve
    EXPECT_EQ(UCase("日本 𝄞.mid"), "日本 𝄞.MID");
    EXPECT_EQ(UCase("caf\xe9 \xc0\x80.wav"), "CAF\xe9 \xc0\x80.WAV");  // not UTF-8: kept as it is
    EXPECT_EQ(Trim("  MIDI  "), "MIDI");
    EXPECT_EQ(Trim("\tMIDI "), "\tMIDI");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(CStr(-1), "-1");
}

}  // namespace
