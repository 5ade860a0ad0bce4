#pragma once
// The main window before it loads, over a settings store, drives and a mixer of the test's
// own: T: holds a "music" folder, Q: names a folder that does not exist.
#include <gtest/gtest.h>

#include <QMainWindow>

#include "main_window/frm_main.h"
#include "platform/settings.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/mixer_stand_in.h"
#include "tests/support/settings_folder.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

class StartupTest : public testing::Test {
  protected:
    StartupTest() {
        folder.Write("music/Song A.mid", sound_files::NoteSong(1));
        folder.Write("music/Beep One.wav", sound_files::ToneWave(100, 8000));
        folder.MakeFolder("music/older");
    }

    static void Store(const std::string& key, const std::string& value) {
        SaveSetting("Corvala", "Settings", key, value);
    }
    static std::string Stored(const std::string& key) {
        return GetSetting("Corvala", "Settings", key, "<missing>");
    }

    void Start() {
        form.emplace();
        form->LoadForm();
    }

    // Both channels playing, as a user leaves them by double-clicking a file in each list.
    void PlayBoth() {
        form->Directory1.Path("T:\\music");
        for (FileListBox* list : {&form->MIDIs, &form->WAVEs}) {
            list->ListIndex(0);
            list->DblClick();
        }
        ASSERT_TRUE(IsTrue(form->MIDIFlags().Playing) && IsTrue(form->WAVEFlags().Playing));
    }

    bool StaysOnTop() const {
        return form->Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }

    ApplicationFirst application;
    test_support::TempFolder folder;
    test_support::ScopedDrives drives{
        std::vector<drives::Drive>{{'C', "/", "[/]"},
                                   {'T', folder.path(), "[test]"},
                                   {'Q', folder.path() / "gone", "[gone]"}}};
    test_support::MciRecorder mci;
    test_support::MessageBoxRecorder boxes;
    test_support::MixerStandIn mixer = test_support::MixerStandIn::System(0, 65535, 32768);
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    std::optional<frmMain> form;
};
