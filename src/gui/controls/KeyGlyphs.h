#pragma once

#include <QPixmap>

// The two-cell glyph strips of the edit keys (32 × 16: a normal and a grey disabled 16 × 16 cell on
// #FF00FF), compiled in from resources/glyphs/<name>.xpm.
// Names: "MoveTop", "FastLeft", "FastRight", "MoveLast", "Copy", "Paste". An unknown name gives a null pixmap.
QPixmap KeyGlyph(const char* name);
