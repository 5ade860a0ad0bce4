#include "platform/core/ignoring_case.h"

#include <QChar>

namespace text {
namespace {

// Stands in for a byte that does not start a valid UTF-8 sequence: above every code point.
constexpr char32_t StrayByte = 0x110000;

// The code point that starts at `at`, moving `at` past it.
char32_t NextPoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length - 1 > text.size()) return StrayByte + lead;
    char32_t point = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i - 1]);
        if ((next & 0xC0) != 0x80) return StrayByte + lead;
        point = (point << 6) | (next & 0x3F);
    }
    at += length - 1;
    return point;
}

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
