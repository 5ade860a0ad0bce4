#pragma once
// File names are bytes: most are UTF-8, but a name copied from an older system may hold bytes that
// are not. Decoding and encoding here keep such a byte as itself, so a name survives any trip
// through code points and still names its file.
#include <string>
#include <string_view>

namespace text {

// Stands in for a byte that does not start a valid UTF-8 sequence: above every code point.
constexpr char32_t StrayByte = 0x110000;

// The code point that starts at `at`, moving `at` past it; a stray byte b is StrayByte + b.
char32_t NextPoint(std::string_view text, std::size_t& at);

// Appends the point as UTF-8, or a stray byte as the byte it was.
void AppendPoint(std::string& text, char32_t point);

}  // namespace text
