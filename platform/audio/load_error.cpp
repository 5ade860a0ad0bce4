#include "platform/audio/clip.h"

namespace audio {

const char* LoadErrorName(LoadError error) {
    switch (error) {
        case LoadError::None:
            return "None";
        case LoadError::NotFound:
            return "NotFound";
        case LoadError::Unreadable:
            return "Unreadable";
        case LoadError::InvalidFormat:
            return "InvalidFormat";
        case LoadError::NoSoundfont:
            return "NoSoundfont";
        case LoadError::NoOutput:
            return "NoOutput";
    }
    return "Unknown";
}

}  // namespace audio
