#include "platform/toolkit/picture.h"

#include <QPixmap>
#include <QString>

Picture Picture::FromResource(const std::string& name) {
    Picture picture;
    QPixmap pixmap(QString::fromStdString(name));
    if (!pixmap.isNull()) {
        picture.pixmap_ = std::make_shared<const QPixmap>(std::move(pixmap));
    }
    return picture;
}

bool Picture::IsEmpty() const { return pixmap_ == nullptr; }
