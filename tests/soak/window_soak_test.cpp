// Two hundred start-ups and shutdowns of the whole window, on the real media service and the
// silent output, leave the heap, the descriptors and the threads where they were.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>

#include "main_window/frm_main.h"
#include "platform/audio/engine.h"
#include "tests/support/process_resources.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/test_form.h"

namespace {

using test_support::ProcessResources;

class WindowSoak : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(audio::Engine::ChooseSink("null")); }

    void Cycles(int count) {
        for (int i = 0; i < count; ++i) {
            std::optional<frmMain> form;
            form.emplace();
            form->Show();
            ASSERT_TRUE(form->Window()->isVisible()) << i;
            form->UnloadForm();
            form.reset();
            // Deferred deletions and posted events belong to the cycle that made them.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    ApplicationFirst application;
    test_support::TempFolder folder;
    test_support::ScopedSettingsFolder settings{folder.path() / "settings"};
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}}};
};

TEST_F(WindowSoak, TwoHundredStartsAndShutdownsHoldNothingBack) {
    Cycles(10);  // the toolkit's caches, fonts and the media service settle first
    const auto before = ProcessResources::Now();
    Cycles(200);
    const auto after = ProcessResources::Now();
    RecordProperty("before", before.Describe());
    RecordProperty("after", after.Describe());
    EXPECT_EQ(after.descriptors, before.descriptors) << after.Describe();
    EXPECT_EQ(after.threads, before.threads) << after.Describe();
    EXPECT_LT(after.heapBytes, before.heapBytes + 512 * 1024)
        << before.Describe() << "; "
        << (std::int64_t(after.heapBytes) - std::int64_t(before.heapBytes)) / 200
        << " bytes more for each start-up";
}

}  // namespace
