#pragma once
// A temporary folder that is removed with everything in it when the test ends, and a drive
// table that maps letters to folders the test controls.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace test_support {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file (creating its folders) and returns its path.
    std::filesystem::path Write(const std::string& relative, const std::string& bytes = "x") const;
    std::string Read(const std::string& relative) const;  // empty when there is no such file
    std::filesystem::path MakeFolder(const std::string& relative) const;

  private:
    std::filesystem::path path_;
};

// Makes a new folder the working directory and deletes it, as a user may do from another
// shell; the working directory from before comes back at the end.
class DeletedWorkingDirectory {
  public:
    explicit DeletedWorkingDirectory(const std::filesystem::path& folder);
    ~DeletedWorkingDirectory();
    DeletedWorkingDirectory(const DeletedWorkingDirectory&) = delete;
    DeletedWorkingDirectory& operator=(const DeletedWorkingDirectory&) = delete;

  private:
    std::filesystem::path before_;
};

// Replaces the drive table for the life of the object.
class ScopedDrives {
  public:
    explicit ScopedDrives(std::vector<drives::Drive> table) {
        drives::ReplaceForTesting(std::move(table));
    }
    ~ScopedDrives() { drives::ReplaceForTesting({}); }
};

}  // namespace test_support
