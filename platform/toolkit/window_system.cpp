#include "platform/toolkit/window_system.h"

#include <QString>
#include <QtGlobal>

namespace toolkit {

bool UseXWayland() {
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
                         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    return wayland && qEnvironmentVariableIsSet("DISPLAY") &&
           !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

}  // namespace toolkit
