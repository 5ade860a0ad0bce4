#include "platform/toolkit/picture.h"

#include <QByteArray>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <map>
#include <mutex>

namespace {

struct HandleTable {
    std::mutex mutex;
    std::map<std::int32_t, std::weak_ptr<const void>> pictures;
    std::int32_t next = 1;
};

// Never destroyed: a picture held by a static object may be released after static
// destruction has begun, and must still find the table.
HandleTable& handles() {
    static auto* table = new HandleTable;
    return *table;
}

}  // namespace

struct Picture::Images {
    Images() {
        auto& table = handles();
        std::lock_guard lock(table.mutex);
        handle = table.next++;
    }
    ~Images() {
        auto& table = handles();
        std::lock_guard lock(table.mutex);
        table.pictures.erase(handle);
    }
    Images(const Images&) = delete;
    Images& operator=(const Images&) = delete;

    QPixmap largest;
    QByteArray encoded;
    QIcon sizes;
    std::int32_t handle;
};

Picture Picture::FromResources(std::initializer_list<std::string> names) {
    auto images = std::make_shared<Images>();
    for (const std::string& name : names) {
        QFile file(QString::fromStdString(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = file.readAll();
        QPixmap pixmap;
        if (!pixmap.loadFromData(bytes)) continue;
        images->sizes.addPixmap(pixmap);
        if (pixmap.width() > images->largest.width()) {
            images->largest = pixmap;
            images->encoded = bytes;
        }
    }
    Picture picture;
    if (images->largest.isNull()) return picture;
    {
        auto& table = handles();
        std::lock_guard lock(table.mutex);
        table.pictures[images->handle] = images;
    }
    picture.images_ = std::move(images);
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
const QByteArray* Picture::Encoded() const {
    return images_ ? &images_->encoded : nullptr;
}

std::int32_t Picture::Handle() const {
    return images_ ? images_->handle : 0;
}

Picture Picture::FromHandle(std::int32_t handle) {
    auto& table = handles();
    std::lock_guard lock(table.mutex);
    const auto found = table.pictures.find(handle);
    Picture picture;
    if (found != table.pictures.end())
        picture.images_ = std::static_pointer_cast<const Images>(found->second.lock());
    return picture;
}
