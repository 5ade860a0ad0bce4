#pragma once
// Key codes and shift states as the toolkit's keyboard events carry them.
#include <cstdint>

class QKeyEvent;

inline constexpr std::int16_t vbKeyReturn = 13;
inline constexpr std::int16_t vbKeyUp = 38;
inline constexpr std::int16_t vbKeyDown = 40;
inline constexpr std::int16_t vbKeyF5 = 116;

namespace toolkit {

// 0 for a key the toolkit has no code for.
std::int16_t KeyCodeOf(const QKeyEvent& event);
// Shift 1, Ctrl 2, Alt 4.
std::int16_t ShiftStateOf(const QKeyEvent& event);

}  // namespace toolkit
