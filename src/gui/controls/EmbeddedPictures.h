#pragma once

#include <QImage>
#include <QPixmap>

// The program's pictures (resources/buttons, resources/glyphs, the icons), decoded when the program was
// built and kept as pixels in the format a pixmap holds them in: a picture costs a copy at start, not an
// image reader, its plugins and an inflater.
struct TEmbeddedPicture {
    const char* Name;
    int Width;
    int Height;
    int BytesPerLine;
    QImage::Format Format;
    const char* Pixels;
};

extern const TEmbeddedPicture kEmbeddedPictures[];
extern const int kEmbeddedPictureCount;

// The picture of that name ("BrowseNormal", "BrowseNormal@2x", "Copy", "velmarinth-16" …), over the
// program's own memory (read-only: a change copies it first); a null image for an unknown name.
QImage EmbeddedPicture(const char* name);

// A pixmap of the picture that draws straight from the program's memory; drawing on it makes it a copy first.
QPixmap PixmapOf(const char* name);
