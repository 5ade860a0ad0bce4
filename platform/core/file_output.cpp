// Deleting and writing whole files on Windows paths, with the toolkit's error numbers.
#include <filesystem>
#include <fstream>

#include "platform/drives.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void raise(std::int32_t number) {
    switch (number) {
        case vberr::FileNotFound:
            throw RuntimeError(number, "File not found");
        case vberr::PathNotFound:
            throw RuntimeError(number, "Path not found");
        default:
            throw RuntimeError(vberr::PathFileAccess, "Path/File access error");
    }
}

fs::path fileToCreate(const std::string& path) {
    const auto file = drives::ResolveForCreate(path);
    std::error_code error;
    if (!file || !fs::is_directory(file->parent_path(), error)) raise(vberr::PathNotFound);
    if (fs::is_directory(*file, error)) raise(vberr::PathFileAccess);
    return *file;
}

void writeWhole(const std::string& path, const char* data, std::size_t size) {
    std::ofstream out(fileToCreate(path), std::ios::binary | std::ios::trunc);
    if (!out) raise(vberr::PathFileAccess);
    out.write(data, static_cast<std::streamsize>(size));
    out.close();
    if (!out) raise(vberr::PathFileAccess);
}

}  // namespace

void Kill(const std::string& path) {
    const auto file = drives::ResolveForCreate(path);
    std::error_code error;
    if (!file || !fs::is_directory(file->parent_path(), error)) raise(vberr::PathNotFound);
    const auto status = fs::symlink_status(*file, error);
    if (!fs::exists(status)) raise(vberr::FileNotFound);
    if (fs::is_directory(status) || !fs::remove(*file, error) || error)
        raise(vberr::PathFileAccess);
}

void WriteTextFile(const std::string& path, const std::string& text) {
    writeWhole(path, text.data(), text.size());
}

void WriteBinaryFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    writeWhole(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
