#pragma once
// The toolkit's value conventions, shared by every layer: 16-bit Booleans where True is -1,
// banker's rounding for float-to-integer conversions, plain decimal text for numbers.
#include <cstdint>
#include <string>

using Boolean = std::int16_t;
inline constexpr Boolean vbTrue = -1;
inline constexpr Boolean vbFalse = 0;

// A test for True is a test for exactly -1: a Boolean holding 1 is not True.
constexpr bool IsTrue(Boolean value) { return value == vbTrue; }
constexpr Boolean ToBoolean(bool value) { return value ? vbTrue : vbFalse; }

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Raises RuntimeError 6 (Overflow) when the result does not fit.
std::int16_t CInt(double value);
std::int32_t CLng(double value);
// Text as a number (surrounding spaces allowed, "12", "-3.5", "1e3"), rounded as above.
// Raises RuntimeError 13 (Type mismatch) for text that is not a number.
std::int16_t CInt(const std::string& text);

// Plain decimal text: a minus sign for negatives, no leading zeros, no padding.
std::string CStr(std::int64_t value);

// Upper case, one character for one character, so a path keeps its length and
// still names the same file when the layer resolves it ignoring case.
std::string UCase(const std::string& text);

// Strips spaces (only spaces, not tabs) from both ends.
std::string Trim(const std::string& text);
