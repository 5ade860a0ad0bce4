#pragma once
// The whole screen: its mouse pointer (0 default, 11 hourglass) and its density in twips.
#include <cstdint>

namespace Screen {

std::int16_t MousePointer();
void MousePointer(std::int16_t pointer);
float TwipsPerPixelX();

}  // namespace Screen
