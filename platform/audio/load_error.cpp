#include "platform/audio/clip.h"

namespace audio {

LoadResult LoadFailure(LoadError error, std::string detail) {
    return LoadResult{nullptr, error, std::move(detail)};
}

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
        case LoadError::TooManyFiles:
            return "TooManyFiles";
    }
    return "Unknown";
}

}  // namespace audio
