// The settings store: text comes back as written; a store it cannot use gives the defaults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/runtime_error.h"
#include "platform/settings.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class SettingsStore : public testing::Test {
  protected:
    static void Save(const std::string& key, const std::string& value) {
        SaveSetting("Corvala", "Settings", key, value);
    }
    static std::string Read(const std::string& key, const std::string& fallback = "default") {
        return GetSetting("Corvala", "Settings", key, fallback);
    }

    test_support::TempFolder folder;
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
};

TEST_F(SettingsStore, TextComesBackExactlyAndEachWriteKeepsTheOtherKeys) {
    EXPECT_EQ(Read("Drive", "c: [/]"), "c: [/]");
    EXPECT_FALSE(fs::exists(settings.File())) << "reading creates nothing";
    Save("Drive", "t: [test]");
    EXPECT_EQ(Read("Volume", "16383"), "16383");
    for (const std::string text : {"T:\\My Music, Old; Rare = Best", "  spaces at both ends  ",
                                   "@Variant(not one)", "Ännchen", "", "a\\\\b\"c\""}) {
        Save("Directory", text);
        EXPECT_EQ(Read("Directory"), text);
    }
    EXPECT_EQ(GetSetting("Corvala", "Other", "Directory", "none"), "none") << "sections apart";
    EXPECT_EQ(Read("Drive"), "t: [test]");
}

TEST_F(SettingsStore, AStoreThatCannotBeReadOrWrittenGivesDefaultsAndRaisesOnWrite) {
    // By shape, as root ignores permissions.
    using Spoil = void (*)(const fs::path& file, const fs::path& folder);
    const std::pair<const char*, Spoil> cases[] = {
        // Opening a FIFO blocks until a writer comes: these hang if the store opens them.
        {"its folder is a FIFO", [](auto&, auto& folder) { mkfifo(folder.c_str(), 0600); }},
        {"the file links to a FIFO",
         [](auto& file, auto& folder) {
             fs::create_directory(folder);
             mkfifo((folder / "pipe").c_str(), 0600);
             fs::create_symlink("pipe", file);
         }},
    };
    for (const auto& [name, spoil] : cases) {
        fs::remove_all(folder.path() / "config");
        fs::create_directories(settings.File().parent_path().parent_path());
        spoil(settings.File(), settings.File().parent_path());
        const fs::file_type before = fs::symlink_status(settings.File()).type();
        EXPECT_EQ(Read("Drive"), "default") << name;
        EXPECT_THAT([] { Save("Drive", "t: [test]"); },
                    testing::Throws<RuntimeError>(
                        testing::Field(&RuntimeError::Number, vberr::PermissionDenied)))
            << name;
        EXPECT_EQ(fs::symlink_status(settings.File()).type(), before) << name;
    }
}

TEST_F(SettingsStore, ValuesNoCallerCanUseReadAsMissing) {
    Save("Directory", std::string("T:\\a\0b", 6));
    EXPECT_EQ(Read("Directory"), "default");
    std::ofstream(settings.File())
        << "[Settings]\nVolume=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x13QSize)\n";
    EXPECT_EQ(Read("Volume"), "default");
    std::ofstream(settings.File()) << "[Settings]\nVolume=5\n;" << std::string(2 << 20, 'x');
    EXPECT_EQ(Read("Volume"), "default") << "a store that large is not ours";
    Save("Volume", "6");
    EXPECT_EQ(Read("Volume"), "6");
    EXPECT_LT(fs::file_size(settings.File()), 1000u);
}

TEST_F(SettingsStore, AWriteGoesThroughALinkToARegularFile) {
    Save("Drive", "t: [test]");
    const fs::path target = folder.path() / "kept.conf";
    fs::rename(settings.File(), target);
    fs::create_symlink(target, settings.File());
    Save("Volume", "7");
    EXPECT_TRUE(fs::is_symlink(settings.File()));
    EXPECT_EQ(Read("Drive"), "t: [test]");
    EXPECT_EQ(Read("Volume"), "7");
}

}  // namespace
