#pragma once
// Names the calling thread, so /proc, top -H and the tests tell the engine's threads apart.
#include <pthread.h>

namespace audio {

// At most 15 characters.
inline void NameThisThread(const char* name) {
    pthread_setname_np(pthread_self(), name);
}

}  // namespace audio
