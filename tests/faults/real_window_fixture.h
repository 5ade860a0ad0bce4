#pragma once
// The real window on the real media service and the silent sink, over a folder (T:, with V: its
// "removable" folder), drives and settings of the test's own; message boxes are recorded.
#include <gtest/gtest.h>

#include <QListWidget>
#include <optional>

#include "main_window/frm_main.h"
#include "platform/audio/engine.h"
#include "platform/multimedia.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace faults {

class RealWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static const bool chosen = audio::Engine::ChooseSink("null");
        ASSERT_TRUE(chosen);
    }

    struct Result {
        bool playing = false;
        bool boxShown = false;
    };

    void Start() {
        form.emplace();
        form->Show();
    }

    void ShowFolder(const std::string& name) { form->Directory1.Path("T:\\" + name); }

    static std::string Status(const std::string& alias, const std::string& item = "mode") {
        char reply[260] = {};
        const std::string command = "status " + alias + " " + item;
        if (mciSendStringA(command.c_str(), reply, sizeof reply, 0) != 0) return "closed";
        return reply;
    }

    static std::vector<std::string> Listed(FileListBox& list) {
        std::vector<std::string> names;
        for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
        return names;
    }

    // Selects the file in its list and double-clicks it, as a user would.
    Result DoubleClick(const std::string& name) {
        const bool midi = name.ends_with(".mid") || name.ends_with(".rmi");
        FileListBox& list = midi ? form->MIDIs : form->WAVEs;
        auto* view = static_cast<QListWidget*>(list.Widget());
        const auto items = view->findItems(QString::fromStdString(name), Qt::MatchExactly);
        if (items.empty()) {
            ADD_FAILURE() << name << " is not listed";
            return {};
        }
        const std::size_t boxesBefore = boxes.boxes.size();
        view->scrollToItem(items.front());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           view->visualItemRect(items.front()).center());
        return {Status(midi ? "MIDI" : "WAVE") == "playing", boxes.boxes.size() > boxesBefore};
    }

    ApplicationFirst application;
    test_support::TempFolder folder;
    test_support::ScopedSettingsFolder settings{folder.path() / "settings"};
    test_support::ScopedDrives drives{{{'C', "/", "[/]"},
                                       {'T', folder.path(), "[test]"},
                                       {'V', folder.path() / "removable", "[removable]"}}};
    test_support::MessageBoxRecorder boxes;
    std::optional<frmMain> form;
};

}  // namespace faults
