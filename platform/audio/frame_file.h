#pragma once
// Stereo float frames kept in an unnamed temporary file (in $TMPDIR, else /tmp) rather than in
// memory, so a recording may run until it is stopped or the disk is full, and what the program
// holds does not grow with its length.
#include <cstdint>

namespace audio {

class FrameFile {
  public:
    FrameFile();
    ~FrameFile();
    FrameFile(const FrameFile&) = delete;
    FrameFile& operator=(const FrameFile&) = delete;

    // False when no temporary file could be made: nothing can be kept.
    bool Usable() const { return descriptor_ >= 0; }
    std::int64_t Frames() const { return frames_; }
    // Writes frames at `first` (up to the end, which grows); false when the disk takes no more.
    bool Write(std::int64_t first, const float* stereo, std::int64_t count);
    // Reads frames [first, first + count), which must lie within the file.
    void Read(std::int64_t first, std::int64_t count, float* stereo) const;
    // Opens a gap of `count` silent frames at `first`, moving what follows along.
    bool Insert(std::int64_t first, std::int64_t count);
    // Removes [first, first + count), closing the gap.
    void Erase(std::int64_t first, std::int64_t count);
    void Clear() { Truncate(0); }
    void Truncate(std::int64_t frames);

  private:
    // Moves frames [from, from + count) to `to`, in blocks, in the order that keeps them whole.
    bool move(std::int64_t from, std::int64_t to, std::int64_t count);

    int descriptor_ = -1;
    std::int64_t frames_ = 0;
};

}  // namespace audio
