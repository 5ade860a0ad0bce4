#include <QChar>

#include "platform/core/utf8_points.h"
#include "platform/vb_types.h"

std::string UCase(const std::string& text) {
    // One code point for one code point: "ß" stays, as "SS" would no longer name the file; and a
    // byte that is not UTF-8 stays as it was, for the same reason.
    std::string upper;
    upper.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t point = text::NextPoint(text, at);
        text::AppendPoint(upper, point >= text::StrayByte ? point : QChar::toUpper(point));
    }
    return upper;
}
