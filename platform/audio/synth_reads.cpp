#include "platform/audio/synth_reads.h"

#include <atomic>
#include <cstdio>

#include "platform/audio/synth_access.h"

namespace audio {

namespace {

std::atomic<long> audioThreadReads{0};
std::atomic<long> reads{0};

std::FILE* FileOf(void* handle) {
    return static_cast<std::FILE*>(handle);
}

void* Open(const char* path) {
    return std::fopen(path, "rb");
}

int Read(void* buffer, fluid_long_long_t count, void* handle) {
    if (SynthAccess::InAudioTurn()) audioThreadReads.fetch_add(1, std::memory_order_relaxed);
    reads.fetch_add(1, std::memory_order_relaxed);
    return std::fread(buffer, std::size_t(count), 1, FileOf(handle)) == 1 ? FLUID_OK : FLUID_FAILED;
}

int Seek(void* handle, fluid_long_long_t offset, int origin) {
    return std::fseek(FileOf(handle), long(offset), origin) == 0 ? FLUID_OK : FLUID_FAILED;
}

fluid_long_long_t Tell(void* handle) {
    return std::ftell(FileOf(handle));
}

int Close(void* handle) {
    return std::fclose(FileOf(handle)) == 0 ? FLUID_OK : FLUID_FAILED;
}

}  // namespace

fluid_sfloader_t* NewCountingLoader(fluid_settings_t* settings) {
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader) fluid_sfloader_set_callbacks(loader, Open, Read, Seek, Tell, Close);
    return loader;
}

long SoundfontReadsOnAudioThread() {
    return audioThreadReads.load(std::memory_order_relaxed);
}

long SoundfontReads() {
    return reads.load(std::memory_order_relaxed);
}

}  // namespace audio
