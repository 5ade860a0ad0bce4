// The settings store on QSettings in INI format, one file per application in the user's
// configuration folder. QSettings writes through a temporary file that it renames over the old
// one, so the file is never left half-written. QSettings opens and reads whatever the path
// names, so the path is checked first: only a regular file reaches it.
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <system_error>

#include "platform/runtime_error.h"
#include "platform/settings.h"

namespace {

namespace fs = std::filesystem;

// Five short values need a few hundred bytes; a file far past that is not ours.
constexpr std::uintmax_t kLargestStore = 1 << 20;

QString KeyOf(const std::string& Section, const std::string& Key) {
    return QString::fromStdString(Section) + '/' + QString::fromStdString(Key);
}

// The file to read, or empty when there is nothing readable: missing, not a regular file
// (a link is followed), or too large to be a store of ours.
fs::path ReadableStore(const std::string& AppName) {
    const fs::path file = SettingsFile(AppName);
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return {};
    const std::uintmax_t size = fs::file_size(file, error);
    if (error || size > kLargestStore) return {};
    return file;
}

// The file a write replaces: the store itself, or the regular file it links to. Anything else
// is refused with one line on standard error.
fs::path WritableStore(const std::string& AppName) {
    const fs::path file = SettingsFile(AppName);
    std::error_code error;
    const fs::file_status link = fs::symlink_status(file, error);
    if (link.type() == fs::file_type::not_found) return file;
    const fs::path target = fs::canonical(file, error);
    if (error || !fs::is_regular_file(target, error)) {
        std::fprintf(stderr, "settings: %s is not a regular file; settings not saved\n",
                     file.c_str());
        throw RuntimeError(vberr::PermissionDenied, "Permission denied");
    }
    // A store too large to read is damaged: written afresh, not parsed first.
    if (fs::file_size(target, error) > kLargestStore) fs::resize_file(target, 0, error);
    return target;
}

}  // namespace

fs::path SettingsFile(const std::string& AppName) {
    const fs::path folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
    return folder / AppName / (AppName + ".conf");
}

std::string GetSetting(const std::string& AppName, const std::string& Section,
                       const std::string& Key, const std::string& Default) {
    const fs::path file = ReadableStore(AppName);
    if (file.empty()) return Default;
    const QSettings store(QString::fromStdString(file.string()), QSettings::IniFormat);
    if (store.status() != QSettings::NoError) return Default;
    const QVariant value = store.value(KeyOf(Section, Key));
    // Text is all the program writes; anything else comes from a damaged or foreign file.
    if (value.typeId() != QMetaType::QString) return Default;
    const QString text = value.toString();
    if (text.contains(QChar(0))) return Default;
    return text.toStdString();
}

void SaveAllSettings(const std::string& AppName, const std::string& Section,
                     const std::vector<std::pair<std::string, std::string>>& Settings) {
    QSettings store(QString::fromStdString(WritableStore(AppName).string()), QSettings::IniFormat);
    store.setAtomicSyncRequired(true);
    for (const auto& [key, value] : Settings)
        store.setValue(KeyOf(Section, key), QString::fromStdString(value));
    store.sync();
    // A damaged file reads as FormatError yet is written afresh; only access stops a write.
    if (store.status() == QSettings::AccessError)
        throw RuntimeError(vberr::PermissionDenied, "Permission denied");
}

void SaveSetting(const std::string& AppName, const std::string& Section, const std::string& Key,
                 const std::string& Setting) {
    SaveAllSettings(AppName, Section, {{Key, Setting}});
}
