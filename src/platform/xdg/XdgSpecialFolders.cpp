#include "platform/SpecialFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

class TXdgSpecialFolders final : public ISpecialFolders {
public:
    // QStandardPaths reads user-dirs.dirs (XDG_DESKTOP_DIR) each time, so a change is seen at once.
    QString GetDesktopFolder() const override {
        return ExistingFolderWithDelimiter(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    }
    QString GetFavoritesFolder() const override {
        return ExistingFolderWithDelimiter(QDir::home().filePath(QStringLiteral("Favorites")));
    }
};

} // namespace

QString ExistingFolderWithDelimiter(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return {};
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

ISpecialFolders& DesktopSpecialFolders() {
    static TXdgSpecialFolders folders;
    return folders;
}
