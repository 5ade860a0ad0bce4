#pragma once
// What this process holds right now: live heap, open descriptors, threads and resident memory,
// for tests that repeat work many times and check that nothing piles up.
#include <cstddef>
#include <string>

namespace test_support {

struct ProcessResources {
    std::size_t heapBytes = 0;  // live heap, mapped blocks too (AddressSanitizer's count under it)
    int descriptors = 0;
    int threads = 0;
    std::size_t residentBytes = 0;

    static ProcessResources Now();
    // Whether every thread of this process whose name starts with `prefix` sleeps in a wait that
    // has no timeout (a futex wait without a deadline), so nothing but another thread wakes it.
    static bool ThreadsWaitWithoutTimeout(const std::string& prefix);
    std::string Describe() const;
};

}  // namespace test_support
