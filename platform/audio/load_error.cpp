#include "platform/audio/clip.h"

namespace audio {

LoadResult LoadFailure(LoadError error, std::string detail) {
    return LoadResult{nullptr, error, std::move(detail)};
}

}  // namespace audio
