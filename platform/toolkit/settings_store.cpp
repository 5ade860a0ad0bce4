// The settings store on QSettings in its native format, one file per application in the
// user's configuration folder. QSettings writes through a temporary file that it renames over
// the old one, so the file is never left half-written.
#include <QSettings>

#include "platform/runtime_error.h"
#include "platform/settings.h"

namespace {

QSettings OpenStore(const std::string& AppName) {
    const QString name = QString::fromStdString(AppName);
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, name, name);
}

QString KeyOf(const std::string& Section, const std::string& Key) {
    return QString::fromStdString(Section) + '/' + QString::fromStdString(Key);
}

}  // namespace

std::string GetSetting(const std::string& AppName, const std::string& Section,
                       const std::string& Key, const std::string& Default) {
    const QSettings store = OpenStore(AppName);
    if (store.status() != QSettings::NoError) return Default;
    const QVariant value = store.value(KeyOf(Section, Key));
    // Text is all the program writes; anything else comes from a damaged or foreign file.
    if (value.typeId() != QMetaType::QString) return Default;
    return value.toString().toStdString();
}

void SaveSetting(const std::string& AppName, const std::string& Section, const std::string& Key,
                 const std::string& Setting) {
    QSettings store = OpenStore(AppName);
    store.setAtomicSyncRequired(true);
    store.setValue(KeyOf(Section, Key), QString::fromStdString(Setting));
    store.sync();
    // A damaged file reads as FormatError yet is written afresh; only access stops a write.
    if (store.status() == QSettings::AccessError)
        throw RuntimeError(vberr::PermissionDenied, "Permission denied");
}
