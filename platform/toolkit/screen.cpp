#include "platform/toolkit/screen.h"

#include <QCursor>
#include <QGuiApplication>

#include "platform/toolkit/form.h"
#include "platform/toolkit/twips.h"

namespace Screen {
namespace {

std::int16_t current = vbDefault;

}  // namespace

std::int16_t MousePointer() {
    return current;
}

void MousePointer(std::int16_t pointer) {
    const bool wasHourglass = current == vbHourglass;
    current = pointer;
    if (pointer == vbHourglass && !wasHourglass) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (pointer != vbHourglass && wasHourglass) {
        QGuiApplication::restoreOverrideCursor();
    }
}

float TwipsPerPixelX() {
    return static_cast<float>(toolkit::TwipsPerPixel());
}

}  // namespace Screen
