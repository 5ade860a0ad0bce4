#include "platform/core/utf8_points.h"

namespace text {

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
    // Overlong forms, surrogates and points past Unicode would not encode back to the same bytes.
    constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < Least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return StrayByte + lead;
    at += length - 1;
    return point;
}

void AppendPoint(std::string& text, char32_t point) {
    const auto byte = [&](char32_t bits) { text.push_back(static_cast<char>(bits)); };
    if (point >= StrayByte) return byte(point - StrayByte);
    if (point < 0x80) return byte(point);
    if (point < 0x800) return byte(0xC0 | point >> 6), byte(0x80 | (point & 0x3F));
    if (point < 0x10000) {
        byte(0xE0 | point >> 12);
    } else {
        byte(0xF0 | point >> 18);
        byte(0x80 | ((point >> 12) & 0x3F));
    }
    byte(0x80 | ((point >> 6) & 0x3F));
    byte(0x80 | (point & 0x3F));
}

}  // namespace text
