#include "platform/toolkit/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace toolkit {

double TwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int TwipsToPixels(std::int32_t twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

std::int32_t PixelsToTwips(int pixels) {
    return static_cast<std::int32_t>(std::lround(pixels * TwipsPerPixel()));
}

}  // namespace toolkit
