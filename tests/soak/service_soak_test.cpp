// Two thousand open, play, stop and close cycles through the real media service, songs and
// sounds in turn, leave the heap, the descriptors, the threads and the resident memory where
// they were.
#include "tests/mci/service_fixture.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

using test_support::ProcessResources;

class ServiceSoak : public ServiceTest {
  protected:
    void Cycles(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string& file = i % 2 ? wave : midi;
            ASSERT_EQ(Send("open " + file + " alias CYCLE wait").code, 0u) << i;
            ASSERT_EQ(Send("play CYCLE").code, 0u) << i;
            ASSERT_EQ(Send("status CYCLE mode").text, "playing") << i;
            ASSERT_EQ(Send("stop CYCLE").code, 0u) << i;
            ASSERT_EQ(Send("close CYCLE").code, 0u) << i;
        }
    }

    std::string wave = Write("cycle.wav", sound_files::ToneWave(400));
    std::string midi = Write("cycle.mid", sound_files::NoteSong(1));
};

TEST_F(ServiceSoak, TwoThousandCyclesHoldNothingBack) {
    Cycles(50);  // the soundfont, the engine and their threads settle first
    const auto before = ProcessResources::Now();
    Cycles(2000);
    const auto after = ProcessResources::Now();
    RecordProperty("before", before.Describe());
    RecordProperty("after", after.Describe());
    EXPECT_EQ(after.descriptors, before.descriptors) << after.Describe();
    EXPECT_EQ(after.threads, before.threads) << after.Describe();
    EXPECT_LT(after.heapBytes, before.heapBytes + 256 * 1024) << before.Describe();
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, resident, by design.
    EXPECT_LT(after.residentBytes, before.residentBytes + 8 * 1024 * 1024) << before.Describe();
#endif
}

}  // namespace
}  // namespace mci_test
