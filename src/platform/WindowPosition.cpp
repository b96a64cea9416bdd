#include "platform/WindowPosition.h"

bool PlatformTellsWindowPosition(const QString& platformName) {
    // "wayland", "wayland-egl", "wayland-brcm" …: every plugin of the Wayland family.
    return !platformName.startsWith(QLatin1String("wayland"));
}
