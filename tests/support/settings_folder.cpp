#include "tests/support/settings_folder.h"

#include <QSettings>
#include <QStandardPaths>

namespace test_support {

ScopedSettingsFolder::ScopedSettingsFolder(const std::filesystem::path& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(folder.string()));
}

ScopedSettingsFolder::~ScopedSettingsFolder() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

std::filesystem::path ScopedSettingsFolder::File() const {
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Corvala", "Corvala");
    return store.fileName().toStdString();
}

}  // namespace test_support
