#include "platform/BrowserLaunch.h"

#include "core/browser/BrowserChoice.h"
#include "platform/xdg/DesktopLauncher.h"
#include "platform/xdg/XdgBrowserSystem.h"

void BrowseOnDesktop(const QByteArray& url) {
    TDesktopLauncher launcher;
    ExecuteBrowse(url, TXdgBrowserSystem(), launcher);
}

QByteArray DesktopBrowserIconPath() {
    return BrowserIconPath(TXdgBrowserSystem());
}
