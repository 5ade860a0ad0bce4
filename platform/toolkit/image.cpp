#include "platform/toolkit/image.h"

#include <QLabel>
#include <QPixmap>

Image::Image(Container& parent)
    : Control(parent, new QLabel), label_(static_cast<QLabel*>(Widget())) {}

void Image::Picture(const ::Picture& picture) {
    picture_ = picture;
    label_->setPixmap(picture.IsEmpty() ? QPixmap() : *picture.Pixmap());
}
