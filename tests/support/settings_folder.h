#pragma once
// Points the per-user settings store at a folder of the test's own for the object's life.
#include <filesystem>
#include <optional>
#include <string>

namespace test_support {

class ScopedSettingsFolder {
  public:
    explicit ScopedSettingsFolder(const std::filesystem::path& folder);
    ~ScopedSettingsFolder();
    ScopedSettingsFolder(const ScopedSettingsFolder&) = delete;
    ScopedSettingsFolder& operator=(const ScopedSettingsFolder&) = delete;

    // The file that holds the settings of the application named "Corvala".
    std::filesystem::path File() const;

  private:
    std::optional<std::string> before_;
};

}  // namespace test_support
