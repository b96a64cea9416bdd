#include "platform/BrowserLaunch.h"

#include "common/BrowseCommand.h"
#include "platform/generic/DesktopLauncher.h"
#include "platform/generic/XdgBrowserSystem.h"

void ExecuteBrowse(const QByteArray& url) {
    TDesktopLauncher launcher;
    ExecuteBrowse(url, TXdgBrowserSystem(), launcher);
}

QByteArray BrowserIconPath() {
    return BrowserIconPath(TXdgBrowserSystem());
}
