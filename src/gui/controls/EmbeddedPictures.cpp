#include "gui/controls/EmbeddedPictures.h"

#include <cstring>

QImage EmbeddedPicture(const char* name) {
    for (int i = 0; i < kEmbeddedPictureCount; ++i) {
        const TEmbeddedPicture& picture = kEmbeddedPictures[i];
        if (std::strcmp(picture.Name, name) == 0)
            return QImage(reinterpret_cast<const uchar*>(picture.Pixels), picture.Width, picture.Height,
                          picture.BytesPerLine, picture.Format);
    }
    return QImage();
}

QPixmap PixmapOf(const char* name) {
    // Kept in the pixmap's own format, so the pixmap takes the image as it is and its pixels stay where they are.
    return QPixmap::fromImage(EmbeddedPicture(name));
}
