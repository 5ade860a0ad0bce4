#pragma once
// A picture as the toolkit passes it around: copying shares the image, so a picture copied from
// an image into a button compares equal to the image's own. A picture made from several sizes
// of one image (a window icon) draws each size where it fits best.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

class QByteArray;
class QIcon;
class QPixmap;

class Picture {
  public:
    Picture() = default;
    // Pictures kept among the program's resources, e.g. ":/pictures/play.xpm", all sizes of
    // the same image. A name that is not there is passed over; none at all gives an empty picture.
    static Picture FromResource(const std::string& name) { return FromResources({name}); }
    static Picture FromResources(std::initializer_list<std::string> names);

    bool IsEmpty() const;
    const QPixmap* Pixmap() const;  // the largest size
    const QIcon* Icon() const;      // every size
    const QByteArray* Encoded() const;  // the largest size's file, as it was read

    // A number that names the picture while any copy of it lives (the Windows icon or bitmap
    // handle); 0 for an empty picture. FromHandle gives the picture back, or an empty one.
    std::int32_t Handle() const;
    static Picture FromHandle(std::int32_t handle);
    friend bool operator==(const Picture& a, const Picture& b) { return a.images_ == b.images_; }

  private:
    struct Images;
    std::shared_ptr<const Images> images_;
};
