#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

void ShellOpenDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
