#include "platform/SpecialFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString WithDelimiter(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

class TXdgSpecialFolders final : public ISpecialFolders {
public:
    // QStandardPaths reads user-dirs.dirs (XDG_DESKTOP_DIR) each time, so a change is seen at once.
    QString GetDesktopFolder() const override { return ExistingFolderWithDelimiter(DesktopPath()); }
    QString GetFavoritesFolder() const override { return ExistingFolderWithDelimiter(FavoritesPath()); }
    QString DesktopPlace() const override { return AbsoluteFolderWithDelimiter(DesktopPath()); }
    QString FavoritesPlace() const override { return AbsoluteFolderWithDelimiter(FavoritesPath()); }

private:
    static QString DesktopPath() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }
    static QString FavoritesPath() { return QDir::home().filePath(QStringLiteral("Favorites")); }
};

} // namespace

QString ExistingFolderWithDelimiter(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return {};
    return WithDelimiter(path);
}

QString AbsoluteFolderWithDelimiter(const QString& path) {
    if (!QDir::isAbsolutePath(path))
        return {};
    return WithDelimiter(path);
}

ISpecialFolders& DesktopSpecialFolders() {
    static TXdgSpecialFolders folders;
    return folders;
}
