#pragma once

#include "core/browser/DefaultBrowser.h"
#include "platform/xdg/XdgApplications.h"

#include <QByteArray>
#include <QProcessEnvironment>

// The browser facts of a freedesktop.org desktop: the default handler for http URLs is the default
// application for x-scheme-handler/http, its command the program of its Exec line followed by the line's
// fixed arguments; the fallback command is x-www-browser on PATH.
class TXdgBrowserSystem final : public IBrowserSystem {
public:
    explicit TXdgBrowserSystem(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    QByteArray LongPath(const QByteArray& path) const override;
    bool IsFile(const QByteArray& path) const override;
    QByteArray DefaultHandlerCommand() const override;
    QByteArray FallbackCommand() const override;

private:
    TXdgApplications FApplications;
};

// The long form of an existing path: absolute, its folder with links and "." and ".." resolved, its last
// component kept as named (so a program started through a link keeps the name it is called by); empty when
// the path does not exist or the result cannot be held in code page 932.
QByteArray GetLongPath(const QByteArray& path);
