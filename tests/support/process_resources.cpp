#include "tests/support/process_resources.h"

#include <malloc.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own malloc keeps no mallinfo; it counts live bytes itself.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace test_support {

namespace {

int entriesIn(const char* folder) {
    const std::filesystem::directory_iterator entries(folder);
    return static_cast<int>(std::distance(begin(entries), end(entries)));
}

std::size_t liveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and the ones given their own mapping
#endif
}

std::size_t residentMemory() {
    std::ifstream statm("/proc/self/statm");
    std::size_t sizePages = 0;
    std::size_t residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

ProcessResources ProcessResources::Now() {
    return {liveHeapBytes(), entriesIn("/proc/self/fd"), entriesIn("/proc/self/task"),
            residentMemory()};
}

// /proc/TID/syscall: the number of the call a thread is blocked in, then its arguments; a futex
// wait (202 on x86-64) without a deadline has a null fourth argument.
bool ProcessResources::ThreadsWaitWithoutTimeout(const std::string& prefix) {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (!name.starts_with(prefix)) continue;
        std::ifstream syscall(task.path() / "syscall");
        std::string number, address, operation, value, timeout;
        syscall >> number >> address >> operation >> value >> timeout;
        if (number != "202" || timeout != "0x0") return false;
    }
    return true;
}

std::string ProcessResources::Describe() const {
    return "heap " + std::to_string(heapBytes) + " B, " + std::to_string(descriptors) +
           " descriptors, " + std::to_string(threads) + " threads, resident " +
           std::to_string(residentBytes / 1024) + " KiB";
}

}  // namespace test_support
