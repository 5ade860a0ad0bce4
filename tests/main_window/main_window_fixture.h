#pragma once
// The main window on a drive of its own: T: holds a "music" folder of generated songs and
// sounds. MCI commands and message boxes are recorded, not carried out; the mixer is a stand-in
// and the settings live in the test's folder.
#include <gtest/gtest.h>

#include <QAbstractButton>

#include "main_window/frm_main.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/mixer_stand_in.h"
#include "tests/support/settings_folder.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest() {
        for (const char* name : {"Song A.mid", "ballad.MID", "Ännchen.rmi"}) {
            folder.Write(std::string("music/") + name, sound_files::NoteSong(2));
        }
        for (const char* name : {"Beep One.wav", "chime.WAV"}) {
            folder.Write(std::string("music/") + name, sound_files::ToneWave(200, 8000));
        }
        drives.emplace(
            std::vector<drives::Drive>{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}});
        form.emplace();
        form->LoadForm();
        form->Directory1.Path("T:\\music");
        mci.Clear();
    }

    static void Click(CommandButton& button) {
        static_cast<QAbstractButton*>(button.Widget())->click();
    }

    ApplicationFirst application;
    test_support::TempFolder folder;
    std::optional<test_support::ScopedDrives> drives;
    test_support::MciRecorder mci;
    test_support::MessageBoxRecorder boxes;
    test_support::MixerStandIn mixer = test_support::MixerStandIn::System(0, 65535, 32768);
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    std::optional<frmMain> form;
};
