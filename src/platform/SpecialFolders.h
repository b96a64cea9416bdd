#pragma once

#include <QString>

// The user's special folders that shortcuts are made in. Each folder is given with a trailing "/", or empty
// when the folder does not exist; it is never created.
class ISpecialFolders {
public:
    virtual ~ISpecialFolders() = default;
    virtual QString GetDesktopFolder() const = 0;
    virtual QString GetFavoritesFolder() const = 0;
    // Where the folder belongs, with its trailing "/", whether or not it exists: the place a failed write
    // names. Empty when the desktop cannot say.
    virtual QString DesktopPlace() const = 0;
    virtual QString FavoritesPlace() const = 0;
};

// The folders of this desktop: the XDG desktop directory, and "Favorites" in the home folder.
ISpecialFolders& DesktopSpecialFolders();

// The path with a trailing "/" when it names an existing folder; empty otherwise.
QString ExistingFolderWithDelimiter(const QString& path);
// The path with a trailing "/" when it is absolute, whether or not it exists; empty otherwise.
QString AbsoluteFolderWithDelimiter(const QString& path);
