#include "platform/audio/synth_log.h"

#include <fluidsynth.h>
#include <glib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace audio {

namespace {

constexpr int kCauses = 32;     // distinct causes held; later new causes are dropped
constexpr int kCauseWords = 3;  // words of a message that name its cause
constexpr int kTextBytes = 200;

enum SlotState : int { kWriting, kHeld, kWritten };

struct Slot {
    std::atomic<int> state{kWriting};
    std::uint64_t cause = 0;
    std::array<char, kTextBytes> text{};
};

struct Log {
    std::array<Slot, kCauses> slots;
    std::atomic<int> used{0};
};

Log& TheLog() {
    static Log log;
    return log;
}

// The level and the first words, numbers left out, so that "channel 3" and "channel 4" are one
// cause.
std::uint64_t CauseOf(int level, const char* message) {
    std::uint64_t hash = 1469598103934665603ULL ^ std::uint64_t(level);
    int words = 0;
    bool inWord = false;
    for (const char* c = message; *c != '\0' && words < kCauseWords; ++c) {
        const bool space = std::isspace(static_cast<unsigned char>(*c)) != 0;
        if (space && inWord) ++words;
        inWord = !space;
        if (space || std::isdigit(static_cast<unsigned char>(*c))) continue;
        hash = (hash ^ static_cast<unsigned char>(*c)) * 1099511628211ULL;
    }
    return hash;
}

bool Seen(const Log& log, std::uint64_t cause) {
    const int used = std::min(log.used.load(std::memory_order_acquire), kCauses);
    for (int i = 0; i < used; ++i)
        if (log.slots[i].state.load(std::memory_order_acquire) != kWriting &&
            log.slots[i].cause == cause)
            return true;
    return false;
}

const char* LevelName(int level) {
    switch (level) {
        case FLUID_PANIC:
            return "panic";
        case FLUID_ERR:
            return "error";
        default:
            return "warning";
    }
}

void Hold(int level, const char* message, void*) {
    if (message == nullptr) return;
    Log& log = TheLog();
    const std::uint64_t cause = CauseOf(level, message);
    if (Seen(log, cause)) return;
    int index = log.used.load();
    do {
        if (index >= kCauses) return;
    } while (!log.used.compare_exchange_weak(index, index + 1));
    Slot& slot = log.slots[index];
    slot.cause = cause;
    std::snprintf(slot.text.data(), slot.text.size(), "synthesiser %s: %s", LevelName(level),
                  message);
    slot.state.store(kHeld, std::memory_order_release);
}

// The library FluidSynth reads DLS files with reports through GLib, in its default domain.
void HoldGlib(const gchar*, GLogLevelFlags level, const gchar* message, gpointer) {
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL))
        Hold(FLUID_ERR, message, nullptr);
    else if (level & G_LOG_LEVEL_WARNING)
        Hold(FLUID_WARN, message, nullptr);
}

}  // namespace

void InstallSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN})
            fluid_set_log_function(level, Hold, nullptr);
        // With no handler FluidSynth does not even format the message: a program change on
        // the audio thread logs at debug level, and formatting there costs time it lacks.
        for (int level : {FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
        g_log_set_handler(nullptr, GLogLevelFlags(G_LOG_LEVEL_MASK), HoldGlib, nullptr);
    });
}

void FlushSynthLog() {
    Log& log = TheLog();
    const int used = std::min(log.used.load(std::memory_order_acquire), kCauses);
    for (int i = 0; i < used; ++i) {
        int held = kHeld;
        if (log.slots[i].state.compare_exchange_strong(held, kWritten))
            std::fprintf(stderr, "%s\n", log.slots[i].text.data());
    }
}

}  // namespace audio
