#include "gui/controls/KeyGlyphs.h"

#include "gui/controls/EmbeddedPictures.h"

QPixmap KeyGlyph(const char* name) {
    return PixmapOf(name);
}
