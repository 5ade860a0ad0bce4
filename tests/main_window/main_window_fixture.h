#pragma once
// The main window over the test's settings, drives (T: holds "music", Q: is gone) and mixer.
#include <gtest/gtest.h>

#include <QAbstractButton>
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
        for (const char* name : {"Song A.mid", "ballad.MID", "Ännchen.rmi"}) {
            folder.Write(std::string("music/") + name, sound_files::NoteSong(2));
        }
        for (const char* name : {"Beep One.wav", "chime.WAV"}) {
            folder.Write(std::string("music/") + name, sound_files::ToneWave(200, 8000));
        }
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
    static void Click(CommandButton& button) {
        static_cast<QAbstractButton*>(button.Widget())->click();
    }
    bool StaysOnTop() const {
        return form->Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }

    ApplicationFirst application;
    test_support::TempFolder folder;
    std::optional<test_support::ScopedDrives> drives{
        std::vector<drives::Drive>{{'C', "/", "[/]"},
                                   {'T', folder.path(), "[test]"},
                                   {'Q', folder.path() / "gone", "[gone]"}}};
    test_support::MciRecorder mci;
    test_support::MessageBoxRecorder boxes;
    test_support::MixerStandIn mixer = test_support::MixerStandIn::System(0, 65535, 32768);
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    std::optional<frmMain> form;
};

class MainWindowTest : public StartupTest {
  protected:
    MainWindowTest() {
        Start();
        form->Directory1.Path("T:\\music");
        mci.Clear();
    }
};
