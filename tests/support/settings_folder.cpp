#include "tests/support/settings_folder.h"

#include <cstdlib>

#include "platform/settings.h"

namespace test_support {

ScopedSettingsFolder::ScopedSettingsFolder(const std::filesystem::path& folder) {
    if (const char* before = std::getenv("XDG_CONFIG_HOME")) before_ = before;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
}

ScopedSettingsFolder::~ScopedSettingsFolder() {
    if (before_)
        setenv("XDG_CONFIG_HOME", before_->c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

std::filesystem::path ScopedSettingsFolder::File() const {
    return SettingsFile("Corvala");
}

}  // namespace test_support
