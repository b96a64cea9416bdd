#pragma once

#include <QByteArray>

// The browse command on this desktop and the program-wide settings (see common/BrowserChoice.h).

// Sends url (the URL box's text, code page 932, unchanged) to the chosen or the default browser; switches
// UseDirectedBrowser off when the chosen program no longer exists. Returns once the start has been requested.
void BrowseOnDesktop(const QByteArray& url);

// The browser program whose icon the File menu shows, or empty; switches UseDirectedBrowser off as above.
QByteArray DesktopBrowserIconPath();
