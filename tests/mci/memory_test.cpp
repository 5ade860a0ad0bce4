// Opening, playing and closing devices over and over leaves the heap where it was.
#include <malloc.h>

#include <cstddef>

#include "tests/mci/service_fixture.h"
#include "tests/support/sound_files.h"

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's count of live heap bytes (its own malloc does not keep mallinfo).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace mci_test {
namespace {

std::size_t liveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class Memory : public ServiceTest {
  protected:
    void Cycles(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string& file = i % 2 ? wave : midi;
            ASSERT_EQ(Send("open " + file + " alias CYCLE wait").code, 0u) << i;
            ASSERT_EQ(Send("play CYCLE").code, 0u) << i;
            ASSERT_EQ(Send("status CYCLE mode").code, 0u) << i;
            ASSERT_EQ(Send("close CYCLE").code, 0u) << i;
        }
    }

    std::string wave = Write("cycle.wav", sound_files::ToneWave(40));
    std::string midi = Write("cycle.mid", sound_files::NoteSong(1));
};

TEST_F(Memory, StaysFlatOverAThousandOpenPlayCloseCycles) {
    Cycles(50);  // the soundfont and the engine's own buffers settle first
    const std::size_t before = liveHeapBytes();
    Cycles(1000);
    const std::size_t after = liveHeapBytes();
    RecordProperty("heap_before", static_cast<int>(before));
    RecordProperty("heap_after", static_cast<int>(after));
    EXPECT_LT(after, before + 256 * 1024) << "grew from " << before << " to " << after;
}

}  // namespace
}  // namespace mci_test
