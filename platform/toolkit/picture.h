#pragma once
// A picture as the toolkit passes it around: copying shares the image, so a picture copied from
// an image into a button compares equal to the image's own.
#include <memory>
#include <string>

class QPixmap;

class Picture {
public:
    Picture() = default;
    // A picture kept among the program's resources, e.g. ":/pictures/play.xpm".
    // An unknown name gives an empty picture.
    static Picture FromResource(const std::string& name);

    bool IsEmpty() const;
    const QPixmap* Pixmap() const { return pixmap_.get(); }
    friend bool operator==(const Picture& a, const Picture& b) { return a.pixmap_ == b.pixmap_; }

private:
    std::shared_ptr<const QPixmap> pixmap_;
};
