#pragma once
// Points the per-user settings store at a folder of the test's own for the object's life.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/settings.h"

namespace test_support {

class ScopedSettingsFolder {
  public:
    explicit ScopedSettingsFolder(const std::filesystem::path& folder) {
        if (const char* before = std::getenv("XDG_CONFIG_HOME")) before_ = before;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~ScopedSettingsFolder() {
        if (before_)
            setenv("XDG_CONFIG_HOME", before_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    ScopedSettingsFolder(const ScopedSettingsFolder&) = delete;
    ScopedSettingsFolder& operator=(const ScopedSettingsFolder&) = delete;

    // The file that holds the settings of the application named "Corvala".
    std::filesystem::path File() const { return SettingsFile("Corvala"); }

  private:
    std::optional<std::string> before_;
};

}  // namespace test_support
