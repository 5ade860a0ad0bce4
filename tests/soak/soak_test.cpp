// Service cycles and window starts leave the heap, the descriptors and the threads where they were.
#include <QCoreApplication>
#include <functional>
#include <optional>

#include "main_window/frm_main.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/process_resources.h"
#include "tests/support/settings_folder.h"
#include "tests/support/sound_files.h"
#include "tests/toolkit/test_form.h"

namespace mci_test {
namespace {

using test_support::ProcessResources;

class Soak : public ServiceTest {
  protected:
    // Runs `settle` cycles for what stays to settle, then checks `count` more leave nothing behind.
    static std::pair<ProcessResources, ProcessResources> ExpectNothingHeldBack(
        const std::function<void(int)>& cycles, int settle, int count, std::size_t heapSlack) {
        cycles(settle);
        const auto before = ProcessResources::Now();
        cycles(count);
        const auto after = ProcessResources::Now();
        EXPECT_EQ(after.descriptors, before.descriptors) << after.Describe();
        EXPECT_EQ(after.threads, before.threads) << after.Describe();
        EXPECT_LT(after.heapBytes, before.heapBytes + heapSlack)
            << before.Describe() << "; "
            << (std::int64_t(after.heapBytes) - std::int64_t(before.heapBytes)) / count
            << " bytes more for each cycle";
        return {before, after};
    }

    ApplicationFirst application;
    test_support::ScopedSettingsFolder settings{folder.path() / "settings"};
    test_support::ScopedDrives drives{{{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}}};
};

TEST_F(Soak, TwoThousandServiceCyclesHoldNothingBack) {
    const std::string wave = Write("cycle.wav", sound_files::ToneWave(400));
    const std::string midi = Write("cycle.mid", sound_files::NoteSong(1));
    const auto cycles = [&](int count) {
        for (int i = 0; i < count; ++i) {
            const std::string& file = i % 2 ? wave : midi;
            ASSERT_EQ(Send("open " + file + " alias CYCLE wait").code, 0u) << i;
            ASSERT_EQ(Send("play CYCLE").code, 0u) << i;
            ASSERT_EQ(Send("status CYCLE mode").text, "playing") << i;
            ASSERT_EQ(Send("stop CYCLE").code, 0u) << i;
            ASSERT_EQ(Send("close CYCLE").code, 0u) << i;
        }
    };
    // The soundfont, the engine and their threads settle first.
    [[maybe_unused]] const auto [before, after] =
        ExpectNothingHeldBack(cycles, 50, 2000, 256 * 1024);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, resident, by design.
    EXPECT_LT(after.residentBytes, before.residentBytes + 8 * 1024 * 1024) << before.Describe();
#endif
}

TEST_F(Soak, TwoHundredWindowStartsAndShutdownsHoldNothingBack) {
    const auto cycles = [](int count) {
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
    };
    // The toolkit's caches, fonts and the media service settle first.
    ExpectNothingHeldBack(cycles, 10, 200, 512 * 1024);
}

}  // namespace
}  // namespace mci_test
