#pragma once

#include <QList>
#include <QPixmap>

// The menu bar's 16 × 16 images, by index: 0 copy, 1 paste, 2 template editor, 3 options, 4 manual,
// 5 next page, 6 make shortcut, 7 the place of the browser's icon.
QList<QPixmap> MenuImages();
