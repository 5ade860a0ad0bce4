#include <QString>

#include "platform/vb_types.h"

std::string UCase(const std::string& text) {
    // One code point for one code point: QString::toUpper would turn "ß" into "SS",
    // and the upper-cased path would no longer name the file.
    const std::u32string points = QString::fromStdString(text).toStdU32String();
    std::u32string upper;
    upper.reserve(points.size());
    for (char32_t point : points) upper.push_back(QChar::toUpper(point));
    return QString::fromStdU32String(upper).toStdString();
}
