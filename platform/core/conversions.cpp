#include <charconv>
#include <cmath>
#include <limits>

#include "platform/runtime_error.h"
#include "platform/vb_types.h"

namespace {

template <typename Int>
Int roundHalfEven(double value) {
    if (!std::isfinite(value)) throw RuntimeError(vberr::Overflow, "Overflow");
    double rounded = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RuntimeError(vberr::Overflow, "Overflow");
    return static_cast<Int>(rounded);
}

}  // namespace

std::int16_t CInt(double value) { return roundHalfEven<std::int16_t>(value); }
std::int32_t CLng(double value) { return roundHalfEven<std::int32_t>(value); }

// from_chars, unlike strtod, ignores the locale Qt sets, so "2.5" reads the same everywhere.
std::int16_t CInt(const std::string& text) {
    std::string number = Trim(text);
    if (number.starts_with('+')) number.erase(0, 1);
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (number.empty() || error != std::errc{} || stop != end)
        throw RuntimeError(vberr::TypeMismatch, "Type mismatch");
    return CInt(value);
}

std::string CStr(std::int64_t value) { return std::to_string(value); }

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
