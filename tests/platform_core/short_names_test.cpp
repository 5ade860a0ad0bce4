// Short paths: every entry gets a short name that no other entry of its folder has, ignoring
// case, and the upper-cased short path the program makes of it names that entry again. That
// every odd name and a deep path play through the real window is checked with the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/core/folder_listing.h"
#include "platform/drives.h"
#include "platform/kernel.h"
#include "platform/vb_types.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScopedDrives;
using test_support::TempFolder;

class ShortNamesTest : public testing::Test {
  protected:
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

    TempFolder tree;
    ScopedDrives drives{{{'C', "/", "[/]"}, {'T', tree.path(), "[tree]"}}};
};

TEST_F(ShortNamesTest, EachEntryGetsItsShortNameAndItLeadsBack) {
    const std::map<std::string, std::map<std::string, std::string>> folders = {
        // Three spellings of one name: none may stand for another once upper-cased.
        {"TWINS",
         {{"SONG.MID", "SONG~1.MID"},
          {"Song.mid", "SONG~2.MID"},
          {"song.mid", "SONG~3.MID"},
          {"ballad.mid", "ballad.mid"}}},
        // Dots beyond the extension's, and an extension too long.
        {"DOTS", {{"a.b.c.wav", "ABC~1.WAV"}, {"new.wave", "NEW~1.WAV"}}},
        // An alias never takes a name that an entry already has.
        {"TAKEN", {{"LongNames.wav", "LONGNA~2.WAV"}, {"longna~1.wav", "longna~1.wav"}}}};
    for (const auto& [folder, shortNames] : folders) {
        for (const auto& [name, shortName] : shortNames) tree.Write(folder + "/" + name);
        for (const auto& [name, shortName] : shortNames) {
            const fs::path file = tree.path() / folder / name;
            EXPECT_EQ(ShortPath(drives::ToWindows(file)), "T:\\" + folder + "\\" + shortName);
            EXPECT_EQ(RoundTrip(file), file) << name;
        }
    }
}

TEST_F(ShortNamesTest, ManyLongNamesAlikeGetHashedAliasesAfterTheFourth) {
    std::vector<fs::path> files;
    for (int i = 1; i <= 7; ++i)
        files.push_back(tree.Write("takes/Recording " + std::to_string(i) + ".wav"));
    std::vector<std::string> names;
    for (const fs::path& file : files) {
        const std::string shortPath = ShortPath(drives::ToWindows(file));
        names.push_back(shortPath.substr(shortPath.rfind('\\') + 1));
        EXPECT_EQ(RoundTrip(file), file);
    }
    EXPECT_EQ(
        std::vector<std::string>(names.begin(), names.begin() + 4),
        (std::vector<std::string>{"RECORD~1.WAV", "RECORD~2.WAV", "RECORD~3.WAV", "RECORD~4.WAV"}));
    for (std::size_t i = 4; i < names.size(); ++i) {
        // The hashed form: two letters of the name, four hexadecimal digits, "~" and a digit.
        const std::string& name = names[i];
        EXPECT_TRUE(name.size() == 12 && name.starts_with("RE") && name.ends_with(".WAV") &&
                    name[6] == '~' && name[7] >= '1' && name[7] <= '9' &&
                    name.find_first_not_of("0123456789ABCDEF", 2) == 6)
            << name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

// A key press shortens the path and opens what the upper-cased short form names. A folder that
// has not changed is read from disk once for all of that, and a change is seen at once.
TEST_F(ShortNamesTest, AFolderIsReadOnceUntilItChanges) {
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

TEST_F(ShortNamesTest, MissingPathsAndSmallBuffersGiveNothing) {
    tree.Write("Some Folder/Some Song.mid");
    char buffer[260] = {};
    EXPECT_EQ(GetShortPathNameA("T:\\Some Folder\\missing.mid", buffer, 260), 0U);
    EXPECT_EQ(GetShortPathNameA("T:\\SOMEFO~9\\SOMESO~1.MID", buffer, 260), 0U);
    const std::string expected = "T:\\SOMEFO~1\\SOMESO~1.MID";
    char small[8] = {};
    EXPECT_EQ(GetShortPathNameA("t:\\some folder\\SOME SONG.MID", small, 8), expected.size() + 1);
    EXPECT_EQ(small[0], '\0');  // nothing written when it does not fit
    EXPECT_EQ(GetShortPathNameA("t:\\some folder\\SOME SONG.MID", buffer, 260), expected.size());
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_EQ(drives::Resolve("t:\\somefo~1\\someso~1.mid"),
              tree.path() / "Some Folder/Some Song.mid");
}

}  // namespace
