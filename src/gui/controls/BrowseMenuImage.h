#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPixmap>

class TSysImageList;

// The browse menu item's picture: 16 × 16, filled with menuColor while the browse command is enabled and with
// white while it is not, the program's icon drawn over it at (0, 0) in the normal or the disabled style.
// The picture is opaque, so it needs no mask.
QPixmap BrowseMenuImage(TSysImageList& images, const QByteArray& browserPath, bool enabled, const QColor& menuColor);

// The colour the style fills menus with.
QColor SystemMenuColor();

// Puts image in place of the last picture of images (the browse item's, always last) and returns its index,
// so the list keeps its count however often the menu opens; an empty list gets the image as its first.
int ReplaceLastImage(QList<QPixmap>& images, const QPixmap& image);
