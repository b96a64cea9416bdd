#include "core/shortcuts/FolderPreselection.h"

#include <QFileInfo>

QString NormalizeFolder(const QString& folder) {
    if (folder.isEmpty())
        return {};
    const QFileInfo info(folder);
    if (info.isDir())
        return folder;
    if (info.exists())
        return folder.left(folder.lastIndexOf(QLatin1Char('/')) + 1);
    return {};
}
