#include "platform/audio/shared_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace audio {

std::shared_ptr<const SharedFile> SharedFile::Open(const std::filesystem::path& file) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    return std::make_shared<const SharedFile>(descriptor);
}

SharedFile::~SharedFile() {
    ::close(descriptor_);
}

SndfileHandle SharedFileReader::OpenSound(SF_INFO* info) {
    static SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    return SndfileHandle(sf_open_virtual(&io, SFM_READ, info, this));
}

sf_count_t SharedFileReader::Length(void* self) {
    struct stat status {};
    const auto* reader = static_cast<SharedFileReader*>(self);
    if (::fstat(reader->file_->Descriptor(), &status) != 0) return 0;
    return status.st_size - reader->start_;
}

sf_count_t SharedFileReader::Seek(sf_count_t offset, int whence, void* self) {
    auto* reader = static_cast<SharedFileReader*>(self);
    switch (whence) {
        case SEEK_SET:
            reader->position_ = offset;
            break;
        case SEEK_CUR:
            reader->position_ += offset;
            break;
        case SEEK_END:
            reader->position_ = Length(self) + offset;
            break;
        default:
            break;
    }
    return reader->position_;
}

sf_count_t SharedFileReader::Read(void* buffer, sf_count_t count, void* self) {
    auto* reader = static_cast<SharedFileReader*>(self);
    const ssize_t got = ::pread(reader->file_->Descriptor(), buffer, std::size_t(count),
                                off_t(reader->start_ + reader->position_));
    if (got <= 0) return 0;
    reader->position_ += got;
    return got;
}

sf_count_t SharedFileReader::Write(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t SharedFileReader::Tell(void* self) {
    return static_cast<SharedFileReader*>(self)->position_;
}

}  // namespace audio
