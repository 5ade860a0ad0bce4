#pragma once
// A file written whole beside the one it replaces, then renamed over it, so a failed write
// (a full disk, a size limit) leaves the old file as it was, and a reader of the old file
// keeps reading it.
#include <filesystem>
#include <string>

namespace audio {

class FileReplacement {
  public:
    // Creates the temporary file in the target's folder; Descriptor() is -1 when it cannot.
    explicit FileReplacement(const std::filesystem::path& target);
    ~FileReplacement();  // removes the temporary file unless it was committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    int Descriptor() const { return descriptor_; }
    // Flushes and closes the temporary file and renames it over the target; false (with the
    // reason in *error) when any step fails.
    bool Commit(std::string* error);

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
};

}  // namespace audio
