#include "platform/audio/address_space.h"

#include <sys/mman.h>
#include <sys/resource.h>

#include <cstddef>
#include <new>
#include <system_error>

namespace audio {

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Beyond the samples: what FluidSynth allocates while it parses a font and pins presets, with a
// margin, since what it takes beyond the samples is not said anywhere.
constexpr std::size_t kSynthesiserRoom = 16 * kMiB;
// An SF3's Vorbis samples take up to about ten times their size once decoded.
constexpr std::size_t kSf3Expansion = 10;

bool AddressSpaceLimited() {
    rlimit limit{};
    return getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
}

// Maps, without touching, as much as is asked: it fails exactly when an allocation of that size
// would.
bool Reservable(std::size_t bytes) {
    void* block =
        mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) return false;
    munmap(block, bytes);
    return true;
}

}  // namespace

void RequireRoomForSoundfont(const std::filesystem::path& soundfont) {
    if (!AddressSpaceLimited()) return;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(soundfont, error);
    const std::size_t samples = error ? 0 : static_cast<std::size_t>(size);
    const std::size_t expansion = soundfont.extension() == ".sf3" ? kSf3Expansion : 1;
    if (!Reservable(kSynthesiserRoom + samples * expansion)) throw std::bad_alloc();
}

}  // namespace audio
