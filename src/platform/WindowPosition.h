#pragma once

#include <QString>

// Whether the display server behind a Qt platform plugin tells a program where its window is. Wayland never
// does: the position a window reports there is made up, and storing it would move the window on the next
// start under X11 (a window once saved at -3, -30 comes back half off the screen).
bool PlatformTellsWindowPosition(const QString& platformName);
