#pragma once

#include "platform/xdg/XdgApplications.h"

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
enum TIconSet { isSystem, isToolbar };
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

// The desktop's file icons as one image list: GetFileIconIndex answers which image is the icon of a file,
// and the list draws that image in its size, normally or greyed. With IconSet isToolbar the list shows the
// standard toolbar images instead (cut, copy, paste … then the view and the history images); the file icons
// and their indexes are kept for when the file icons are shown again. A program's icon is the Icon= of the desktop
// entry that starts it (a theme name or a picture file), else the icon the platform shows for the file; a
// file that does not exist gets the icon of its file type by name. Image 0 is the generic file icon and
// stands for every lookup that found nothing. Nothing is ever written to disk.
class TSysImageList final : public QObject {
    Q_OBJECT
public:
    explicit TSysImageList(QObject* parent = nullptr);
    // Looks programs up on the desktop that environment describes (HOME, XDG_*, PATH).
    TSysImageList(const QProcessEnvironment& environment, QObject* parent = nullptr);

    // An invalid colour is "none". Changing IconSet or IconSize sets BkColor back to none.
    QColor BkColor() const { return FBkColor; }
    void SetBkColor(const QColor& value) { FBkColor = value; }
    // What dsFocus and dsSelected mix into the image (by a quarter, by half); with none they let the
    // background show through the image instead.
    QColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(const QColor& value) { FBlendColor = value; }
    // dsTransparent never paints the background; the other styles paint BkColor under the image when it is set.
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle value) { FDrawingStyle = value; }
    TIconSet IconSet() const { return FIconSet; }
    void SetIconSet(TIconSet value);
    TIconSize IconSize() const { return FIconSize; }
    // 16 × 16 for small icons, 32 × 32 for large ones; the indexes already handed out stay valid.
    void SetIconSize(TIconSize value);
    int Width() const;
    int Height() const;
    // The number of images the list shows now (file icons or toolbar images).
    int Count() const { return static_cast<int>(Images().size()); }

    // The image of path (code page 932), in the open-folder form when open is set and path is a folder; 0 when
    // nothing better was found. The desktop is asked afresh each time: a program installed or given a desktop
    // entry since shows its own icon. The same icon keeps its index.
    int GetFileIconIndex(const QByteArray& path, bool open);

    // The image at index in the list's size, transparent around the icon, normal or in the disabled style.
    QPixmap Pixmap(int index, bool enabled) const;
    void Draw(QPainter& painter, int x, int y, int index, bool enabled) const;

signals:
    void OnChange();

private:
    void UpdateHandle();
    const QList<QIcon>& Images() const;
    // An icon and where it came from (its entry's icon name, its theme name or the file it belongs to).
    struct TFoundIcon {
        QIcon icon;
        QString source;
    };
    TFoundIcon IconFor(const QString& path, bool open) const;
    TFoundIcon DesktopEntryIcon(const QString& program) const;

    QColor FBkColor;
    QColor FBlendColor;
    TDrawingStyle FDrawingStyle = dsTransparent;
    TIconSet FIconSet = isSystem;
    TIconSize FIconSize = isSmallIcons;
    TXdgApplications FApplications;
    QFileIconProvider FProvider;
    QList<QIcon> FIcons;          // the file icons
    QList<QIcon> FToolbarIcons;   // filled when first shown
    QHash<QString, int> FIndexes; // by the icon's source
};
