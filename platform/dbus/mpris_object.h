#pragma once
// The object behind /org/mpris/MediaPlayer2: the generated root and Player adaptors read its
// properties and call its methods; it answers from the program's handlers.
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include "platform/desktop_bus.h"

class MprisObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool CanQuit READ Yes)
    Q_PROPERTY(bool CanRaise READ Yes)
    Q_PROPERTY(bool HasTrackList READ No)
    Q_PROPERTY(QString Identity MEMBER identity)
    Q_PROPERTY(QString DesktopEntry MEMBER desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ UriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ MimeTypes)
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    // Rate and Volume are fixed: setting them is ignored, as a player without them may do.
    Q_PROPERTY(double Rate READ One)
    Q_PROPERTY(double MinimumRate READ One)
    Q_PROPERTY(double MaximumRate READ One)
    Q_PROPERTY(double Volume READ One)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ No)
    Q_PROPERTY(bool CanGoPrevious READ No)
    Q_PROPERTY(bool CanPlay READ HasTrack)
    Q_PROPERTY(bool CanPause READ HasTrack)
    Q_PROPERTY(bool CanSeek READ No)
    Q_PROPERTY(bool CanControl READ Yes)

  public:
    explicit MprisObject(desktop_bus::PlayerHandlers handlers) : handlers_(std::move(handlers)) {}

    QString identity;
    QString desktopEntry;

    // Each call is answered before the window acts on it, which may take a while (an error
    // box, the window closing).
    void Raise() { Later(handlers_.raise); }
    void Quit() { Later(handlers_.quit); }
    void Play() { Later(handlers_.play); }
    void Pause() { Later(handlers_.pause); }
    void PlayPause() { Later(handlers_.playPause); }
    void Stop() { Later(handlers_.stop); }
    void OpenUri(const QString& uri);
    // Without a track list or seeking these ask nothing of a player (CanGoNext, CanSeek false).
    void Next() {}
    void Previous() {}
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}

    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    qlonglong Position() const { return handlers_.state().positionUs; }
    bool HasTrack() const { return !handlers_.state().trackId.empty(); }

    // The properties that PropertiesChanged reports, as they stand now.
    QVariantMap Changing() const;

  private:
    void Later(const std::function<void()>& handler) {
        QMetaObject::invokeMethod(this, handler, Qt::QueuedConnection);
    }
    static bool Yes() { return true; }
    static bool No() { return false; }
    static double One() { return 1.0; }
    static QStringList UriSchemes() { return {QStringLiteral("file")}; }
    static QStringList MimeTypes();

    desktop_bus::PlayerHandlers handlers_;
};
