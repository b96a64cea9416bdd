#pragma once

#include <QByteArray>

// Top-most, Caps Lock and single-instance activation work through X11. In a Wayland session with XWayland
// the program asks for the xcb platform; without any X display it starts on the native platform and those
// features degrade.

// The platform plugin to ask for, from the values of QT_QPA_PLATFORM and DISPLAY; empty to leave Qt's own
// choice (the user chose one, or there is no X display).
QByteArray PlatformToRequest(const QByteArray& qpaPlatform, const QByteArray& display);

// Sets QT_QPA_PLATFORM when an X display is there and nobody chose; call before the application object exists.
void PreferX11Platform();

// Takes back what PreferX11Platform set; call once the application object exists (its platform is chosen by
// then). The choice is the program's own: a browser it starts must not be pushed onto XWayland by it, so
// programs started from then on get the environment the program was given.
void ForgetPlatformRequest();
