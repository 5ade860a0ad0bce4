#include "platform/audio/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace audio {

namespace {

// A link to a regular file is kept a link: the file it names is replaced.
std::filesystem::path followLink(const std::filesystem::path& target) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(target, error);
    return error ? target : real;
}

}  // namespace

FileReplacement::FileReplacement(const std::filesystem::path& target)
    : target_(followLink(target)) {
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        temporary_ = target_;
        // Named apart from the target, so that a target of the longest name still has one.
        temporary_.replace_filename(".corvala-save-" + std::to_string(getpid()) + "-" +
                                    std::to_string(attempt));
        descriptor_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST) break;
    }
    if (descriptor_ < 0) return;
    // The replacement keeps the permissions the old file had.
    struct stat old {};
    if (stat(target_.c_str(), &old) == 0) fchmod(descriptor_, old.st_mode & 07777);
}

FileReplacement::~FileReplacement() {
    if (descriptor_ < 0) return;
    close(descriptor_);
    unlink(temporary_.c_str());
}

bool FileReplacement::Commit(std::string* error) {
    const bool written = fsync(descriptor_) == 0;
    const int failure = errno;
    const bool closed = close(descriptor_) == 0;
    descriptor_ = -1;
    if (written && closed && rename(temporary_.c_str(), target_.c_str()) == 0) return true;
    if (error) *error = std::strerror(written ? errno : failure);
    unlink(temporary_.c_str());
    return false;
}

}  // namespace audio
