#pragma once
// An open libsndfile file that closes itself.
#include <sndfile.h>

#include <memory>

namespace audio {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

}  // namespace audio
