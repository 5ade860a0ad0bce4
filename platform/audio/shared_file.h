#pragma once
// A sound file held open from its load to its last voice, so one removed or replaced after
// the open still plays as it was. Each reader opens it through libsndfile at a position of
// its own (pread), so several voices can read one file at once.
#include <sndfile.h>

#include <filesystem>
#include <memory>

#include "platform/audio/sndfile_handle.h"

namespace audio {

class SharedFile {
  public:
    // Null when the file cannot be opened.
    static std::shared_ptr<const SharedFile> Open(const std::filesystem::path& file);
    explicit SharedFile(int descriptor) : descriptor_(descriptor) {}
    ~SharedFile();
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    int Descriptor() const { return descriptor_; }

  private:
    const int descriptor_;
};

// One reader's view of a shared file, from `start` on; must outlive the SNDFILE opened through it.
class SharedFileReader {
  public:
    explicit SharedFileReader(std::shared_ptr<const SharedFile> file, std::int64_t start = 0)
        : file_(std::move(file)), start_(start) {}
    SndfileHandle OpenSound(SF_INFO* info);

  private:
    static sf_count_t Length(void* self);
    static sf_count_t Seek(sf_count_t offset, int whence, void* self);
    static sf_count_t Read(void* buffer, sf_count_t count, void* self);
    static sf_count_t Write(const void* buffer, sf_count_t count, void* self);
    static sf_count_t Tell(void* self);

    std::shared_ptr<const SharedFile> file_;
    const std::int64_t start_;
    sf_count_t position_ = 0;
};

}  // namespace audio
