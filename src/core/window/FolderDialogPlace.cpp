#include "core/window/FolderDialogPlace.h"

std::optional<QPoint> FolderDialogPosition(const TFolderDialogPlace& place) {
    const QSize& d = place.dialog;
    switch (place.position) {
    case fdpNone:
        return std::nullopt;
    case fdpCustom:
        return place.formClientOrigin + QPoint(place.offsetX, place.offsetY);
    case fdpOwnerFormCenter:
        return QPoint(place.form.x() + (place.form.width() - d.width()) / 2,
                      place.form.y() + (place.form.height() - d.height()) / 2);
    case fdpDesktopCenter: {
        // The right and bottom edges lie just outside the area, as the desktop reports its work area.
        const int right = place.workArea.x() + place.workArea.width();
        const int bottom = place.workArea.y() + place.workArea.height();
        return QPoint((right - d.width()) / 2, (bottom - d.height()) / 2);
    }
    case fdpScreenCenter:
        return QPoint((place.screen.width() - d.width()) / 2, (place.screen.height() - d.height()) / 2);
    }
    return std::nullopt;
}
