#include "core/browser/BrowserProgram.h"

#include <QFileInfo>

bool IsBrowserProgram(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
