#pragma once
// Twips (1/1440 inch) to pixels and back, at the screen's real density: 15 twips per pixel at 96
// dpi.
#include <cstdint>

namespace toolkit {

double TwipsPerPixel();
int TwipsToPixels(std::int32_t twips);
std::int32_t PixelsToTwips(int pixels);

}  // namespace toolkit
