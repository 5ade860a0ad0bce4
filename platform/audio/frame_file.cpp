#include "platform/audio/frame_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace audio {

namespace {

constexpr std::int64_t kFrameBytes = 2 * sizeof(float);
constexpr std::int64_t kBlockFrames = 16384;

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// Unnamed where the file system allows it; otherwise named, and unlinked at once.
int openUnnamed() {
    const std::string folder = temporaryFolder();
    const int unnamed = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (unnamed >= 0) return unnamed;
    std::string name = folder + "/corvala-take-XXXXXX";
    const int named = mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) unlink(name.c_str());
    return named;
}

bool writeAll(int descriptor, const void* data, std::int64_t bytes, std::int64_t at) {
    const auto* from = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t written = pwrite(descriptor, from, std::size_t(bytes), at);
        if (written <= 0) return false;
        from += written;
        at += written;
        bytes -= written;
    }
    return true;
}

}  // namespace

FrameFile::FrameFile() : descriptor_(openUnnamed()) {}

FrameFile::~FrameFile() {
    if (descriptor_ >= 0) close(descriptor_);
}

bool FrameFile::Write(std::int64_t first, const float* stereo, std::int64_t count) {
    if (!writeAll(descriptor_, stereo, count * kFrameBytes, first * kFrameBytes)) return false;
    frames_ = std::max(frames_, first + count);
    return true;
}

void FrameFile::Read(std::int64_t first, std::int64_t count, float* stereo) const {
    const ssize_t wanted = ssize_t(count * kFrameBytes);
    const ssize_t got = pread(descriptor_, stereo, std::size_t(wanted), first * kFrameBytes);
    std::fill(stereo + std::max<ssize_t>(got, 0) / sizeof(float), stereo + 2 * count, 0.0f);
}

bool FrameFile::move(std::int64_t from, std::int64_t to, std::int64_t count) {
    std::vector<float> block(2 * std::size_t(std::min(count, kBlockFrames)));
    const bool backwards = to > from;
    for (std::int64_t done = 0; done < count;) {
        const std::int64_t n = std::min(count - done, kBlockFrames);
        const std::int64_t offset = backwards ? count - done - n : done;
        Read(from + offset, n, block.data());
        if (!Write(to + offset, block.data(), n)) return false;
        done += n;
    }
    return true;
}

bool FrameFile::Insert(std::int64_t first, std::int64_t count) {
    const std::int64_t tail = frames_ - first;
    if (!move(first, first + count, tail)) return false;
    const std::vector<float> silence(2 * std::size_t(std::min(count, kBlockFrames)), 0.0f);
    for (std::int64_t done = 0; done < count;) {
        const std::int64_t n = std::min(count - done, kBlockFrames);
        if (!Write(first + done, silence.data(), n)) return false;
        done += n;
    }
    return true;
}

void FrameFile::Erase(std::int64_t first, std::int64_t count) {
    move(first + count, first, frames_ - first - count);
    Truncate(frames_ - count);
}

void FrameFile::Truncate(std::int64_t frames) {
    [[maybe_unused]] const int result = ftruncate(descriptor_, frames * kFrameBytes);
    frames_ = frames;
}

}  // namespace audio
