// The desktop's player controls (MPRIS): the root and Player interfaces at /org/mpris/MediaPlayer2,
// with PropertiesChanged sent for what differs from the state last reported.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTimer>
#include <QUrl>

#include "platform/dbus/mpris_object.h"
#include "mpris_player_adaptor.h"
#include "mpris_root_adaptor.h"
#include "platform/desktop_bus.h"

namespace {

const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
// A file that ends by itself says so to nobody; while one plays, its state is read this often.
constexpr int kPlayingCheckMs = 500;

}  // namespace

void MprisObject::OpenUri(const QString& uri) {
    const QUrl url(uri);
    if (!url.isLocalFile()) return;
    Later([this, path = url.toLocalFile().toStdString()] { handlers_.openFiles({path}); });
}

QString MprisObject::PlaybackStatus() const {
    switch (handlers_.state().status) {
        case desktop_bus::PlayerState::Status::Playing:
            return QStringLiteral("Playing");
        case desktop_bus::PlayerState::Status::Paused:
            return QStringLiteral("Paused");
        case desktop_bus::PlayerState::Status::Stopped:
            break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap MprisObject::Metadata() const {
    const auto state = handlers_.state();
    if (state.trackId.empty()) {
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kNoTrack))}};
    }
    return {
        {QStringLiteral("mpris:trackid"),
         QVariant::fromValue(QDBusObjectPath(QString::fromStdString(state.trackId)))},
        {QStringLiteral("xesam:title"), QString::fromStdString(state.title)},
        {QStringLiteral("xesam:url"),
         QUrl::fromLocalFile(QString::fromStdString(state.path)).toString(QUrl::FullyEncoded)},
        {QStringLiteral("mpris:length"), QVariant::fromValue<qlonglong>(state.lengthUs)},
    };
}

QVariantMap MprisObject::Changing() const {
    return {{QStringLiteral("PlaybackStatus"), PlaybackStatus()},
            {QStringLiteral("Metadata"), Metadata()},
            {QStringLiteral("CanPlay"), HasTrack()},
            {QStringLiteral("CanPause"), HasTrack()}};
}

QStringList MprisObject::MimeTypes() {
    return {QStringLiteral("audio/midi"),  QStringLiteral("audio/x-midi"),
            QStringLiteral("audio/sp-midi"), QStringLiteral("audio/x-wav"),
            QStringLiteral("audio/wav"),   QStringLiteral("audio/vnd.wave")};
}

namespace desktop_bus {

struct MediaPlayer::Service {
    explicit Service(PlayerHandlers handlers) : object(std::move(handlers)) {}
    MprisObject object;
    QVariantMap reported;
    QString name;
    QTimer playing;
    bool onBus = false;  // without a session bus nobody listens, and nothing is watched
};

MediaPlayer::MediaPlayer(const std::string& name, const std::string& identity,
                         const std::string& desktopEntry, PlayerHandlers handlers)
    : service_(std::make_unique<Service>(std::move(handlers))) {
    service_->object.identity = QString::fromStdString(identity);
    service_->object.desktopEntry = QString::fromStdString(desktopEntry);
    service_->name = QStringLiteral("org.mpris.MediaPlayer2.") + QString::fromStdString(name);
    service_->playing.setInterval(kPlayingCheckMs);
    QObject::connect(&service_->playing, &QTimer::timeout, [this] { StateMayHaveChanged(); });
    auto bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    new MprisRootAdaptor(&service_->object);  // the adaptors are owned by the object
    new MprisPlayerAdaptor(&service_->object);
    bus.registerObject(kPath, &service_->object);
    service_->onBus = bus.registerService(service_->name);
    service_->reported = service_->object.Changing();
}

MediaPlayer::~MediaPlayer() {
    auto bus = QDBusConnection::sessionBus();
    bus.unregisterService(service_->name);
    bus.unregisterObject(kPath);
}

void MediaPlayer::StateMayHaveChanged() {
    if (!service_->onBus) return;
    const QVariantMap now = service_->object.Changing();
    QVariantMap changed;
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (service_->reported.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    }
    service_->reported = now;
    if (now.value(QStringLiteral("PlaybackStatus")) == QStringLiteral("Playing")) {
        if (!service_->playing.isActive()) service_->playing.start();
    } else {
        service_->playing.stop();
    }
    if (changed.isEmpty()) return;
    auto signal = QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                             QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

}  // namespace desktop_bus
