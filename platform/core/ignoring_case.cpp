#include "platform/core/ignoring_case.h"

#include <QChar>

#include "platform/core/utf8_points.h"

namespace text {
namespace {

char32_t FoldedPoint(char32_t point) {
    if (point < 0x80) return point >= 'A' && point <= 'Z' ? point + ('a' - 'A') : point;
    return point >= StrayByte ? point : QChar::toCaseFolded(point);
}

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = FoldedPoint(NextPoint(a, i));
        const char32_t y = FoldedPoint(NextPoint(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

std::u32string Folded(std::string_view text) {
    std::u32string points;
    for (std::size_t at = 0; at < text.size();) points.push_back(FoldedPoint(NextPoint(text, at)));
    return points;
}

}  // namespace text
