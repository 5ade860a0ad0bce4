// One window per session: the first start owns the application's name on the session bus and
// serves Open and Raise there; a later start calls them and ends.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "window_adaptor.h"
#include "platform/dbus/window_object.h"
#include "platform/desktop_bus.h"

namespace {

const QString kPath = QStringLiteral("/org/corvala/Corvala");
const QString kInterface = QStringLiteral("org.corvala.Corvala");

QStringList ToQt(const std::vector<std::string>& texts) {
    QStringList list;
    for (const auto& text : texts) list << QString::fromStdString(text);
    return list;
}

}  // namespace

// The caller gets its answer first: opening may wait on an error box, and a later start must
// end at once.
void WindowObject::Open(const QStringList& files) {
    std::vector<std::string> paths;
    for (const auto& file : files) paths.push_back(file.toStdString());
    QMetaObject::invokeMethod(this, [this, paths] { openFiles(paths); }, Qt::QueuedConnection);
}

void WindowObject::Raise() {
    QMetaObject::invokeMethod(this, raise, Qt::QueuedConnection);
}

namespace desktop_bus {

// Runs before the toolkit exists, so it keeps a connection of its own instead of the shared
// session connection, and closes it again.
bool HandToRunningWindow(const std::string& application, const std::vector<std::string>& files) {
    const QString name = QStringLiteral("corvala-hand-over");
    bool handed = false;
    {
        auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        if (bus.isConnected()) {
            auto call = QDBusMessage::createMethodCall(QString::fromStdString(application), kPath,
                                                       kInterface, files.empty() ? "Raise" : "Open");
            if (!files.empty()) call << ToQt(files);
            call.setAutoStartService(false);
            handed = bus.call(call).type() == QDBusMessage::ReplyMessage;
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return handed;
}

struct WindowClaim::Service {
    WindowObject object;
    bool lost = false;
};

WindowClaim::WindowClaim(const std::string& application,
                         std::function<void(const std::vector<std::string>&)> openFiles,
                         std::function<void()> raise)
    : service_(std::make_unique<Service>()) {
    service_->object.openFiles = std::move(openFiles);
    service_->object.raise = std::move(raise);
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    new WindowAdaptor(&service_->object);  // owned by the object
    bus.registerObject(kPath, &service_->object);
    const auto reply = bus.interface()->registerService(
        QString::fromStdString(application), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    service_->lost = reply.isValid() && reply.value() != QDBusConnectionInterface::ServiceRegistered;
}

WindowClaim::~WindowClaim() {
    QDBusConnection::sessionBus().unregisterObject(kPath);
}

bool WindowClaim::AnotherWindowHasIt() const {
    return service_->lost;
}

}  // namespace desktop_bus
