#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

enum TFolderDialogPosition { fdpNone, fdpCustom, fdpOwnerFormCenter, fdpDesktopCenter, fdpScreenCenter };

// What the folder dialog's placement is computed from; rectangles are outer (frame) geometries.
struct TFolderDialogPlace {
    TFolderDialogPosition position = fdpNone;
    QRect form;              // the reference form
    QPoint formClientOrigin; // its client area's top-left corner on the screen
    QRect workArea;
    QSize screen;
    QSize dialog;
    int offsetX = 0;
    int offsetY = 0;
};

// Where the dialog's top-left corner goes; nothing for fdpNone. Only the work area's right and bottom edges
// count, and halves round toward zero.
std::optional<QPoint> FolderDialogPosition(const TFolderDialogPlace& place);
