#pragma once

#include "platform/generic/XdgApplications.h"

#include <QByteArray>
#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QProcessEnvironment>

class QPainter;

enum TIconSize { isSmallIcons, isLargeIcons };

// The desktop's file icons as one image list: GetFileIconIndex answers which image is the icon of a file,
// and the list draws that image in its size, normally or greyed. A program's icon is the Icon= of the desktop
// entry that starts it (a theme name or a picture file), else the icon the platform shows for the file; a
// file that does not exist gets the icon of its file type by name. Image 0 is the generic file icon and
// stands for every lookup that found nothing. Nothing is ever written to disk.
class TSysImageList final : public QObject {
    Q_OBJECT
public:
    explicit TSysImageList(QObject* parent = nullptr);
    // Looks programs up on the desktop that environment describes (HOME, XDG_*, PATH).
    TSysImageList(const QProcessEnvironment& environment, QObject* parent = nullptr);

    TIconSize IconSize() const { return FIconSize; }
    // 16 × 16 for small icons, 32 × 32 for large ones; the indexes already handed out stay valid.
    void SetIconSize(TIconSize value);
    int Width() const;
    int Height() const;
    int Count() const { return static_cast<int>(FIcons.size()); }

    // The image of path (code page 932), in the open-folder form when open is set and path is a folder; 0 when
    // nothing better was found. Asking again for the same path and state gives the same index.
    int GetFileIconIndex(const QByteArray& path, bool open);

    // The image at index in the list's size, transparent around the icon, normal or in the disabled style.
    QPixmap Pixmap(int index, bool enabled) const;
    void Draw(QPainter& painter, int x, int y, int index, bool enabled) const;

signals:
    void OnChange();

private:
    QIcon IconFor(const QString& path, bool open) const;
    QIcon DesktopEntryIcon(const QString& program) const;

    TIconSize FIconSize = isSmallIcons;
    TXdgApplications FApplications;
    QFileIconProvider FProvider;
    QList<QIcon> FIcons;
    QHash<QString, int> FIndexes;
};
