#pragma once
// The live heap of this process, for tests that check what a piece of work holds.
#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own malloc keeps no mallinfo; it counts live bytes itself.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace test_support {

inline std::size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and the ones given their own mapping
#endif
}

}  // namespace test_support
