#include "platform/toolkit/picture.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

struct Picture::Images {
    QPixmap largest;
    QIcon sizes;
};

Picture Picture::FromResources(std::initializer_list<std::string> names) {
    auto images = std::make_shared<Images>();
    for (const std::string& name : names) {
        const QPixmap pixmap(QString::fromStdString(name));
        if (pixmap.isNull()) continue;
        images->sizes.addPixmap(pixmap);
        if (pixmap.width() > images->largest.width()) images->largest = pixmap;
    }
    Picture picture;
    if (!images->largest.isNull()) picture.images_ = std::move(images);
    return picture;
}

bool Picture::IsEmpty() const {
    return images_ == nullptr;
}
const QPixmap* Picture::Pixmap() const {
    return images_ ? &images_->largest : nullptr;
}
const QIcon* Picture::Icon() const {
    return images_ ? &images_->sizes : nullptr;
}
