#pragma once

#include <QList>
#include <QPixmap>

// The menu bar's 16 × 16 images, in the order MenuImages() returns them.
enum class TMenuImage {
    Copy,
    Paste,
    EditTemplate,
    Option,
    Manual,
    NextPage,
    MakeShortcut,
    Browser, // the place of the browser's icon, drawn when the File menu opens; always last
    None,    // an item without an image
};

// One image per TMenuImage but None.
QList<QPixmap> MenuImages();
