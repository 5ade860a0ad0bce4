#include "tests/support/temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>

namespace test_support {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("corvala-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

fs::path TempFolder::Write(const std::string& relative, const std::string& bytes) const {
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

std::string TempFolder::Read(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

fs::path TempFolder::MakeFolder(const std::string& relative) const {
    const fs::path folder = path_ / relative;
    fs::create_directories(folder);
    return folder;
}

DeletedWorkingDirectory::DeletedWorkingDirectory(const fs::path& folder)
    : before_(fs::current_path()) {
    fs::create_directories(folder);
    fs::current_path(folder);
    fs::remove(folder);
}

DeletedWorkingDirectory::~DeletedWorkingDirectory() {
    std::error_code ignored;
    fs::current_path(before_, ignored);
}

}  // namespace test_support
