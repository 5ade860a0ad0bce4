#include "platform/toolkit/picture.h"

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <algorithm>
#include <vector>

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

namespace {

// Pictures that were given a handle, at position handle - 1. Few ever are (window icons).
std::vector<std::shared_ptr<const void>>& Handled() {
    static std::vector<std::shared_ptr<const void>> handled;
    return handled;
}

}  // namespace

std::int32_t Picture::Handle() const {
    if (!images_) return 0;
    auto& handled = Handled();
    auto found = std::ranges::find(handled, images_);
    if (found == handled.end()) found = handled.insert(handled.end(), images_);
    return static_cast<std::int32_t>(found - handled.begin()) + 1;
}

Picture Picture::FromHandle(std::int32_t handle) {
    const auto& handled = Handled();
    Picture picture;
    if (handle >= 1 && static_cast<std::size_t>(handle) <= handled.size())
        picture.images_ = std::static_pointer_cast<const Images>(handled[handle - 1]);
    return picture;
}
