#pragma once

#include <QColor>
#include <QFont>

// The program's colours and fonts. Faces are named as the interface was drawn (gui/controls/Fonts.h maps them
// to the fonts installed here); sizes are in pixels.

// The main window's own colour, which the edit keys and picture buttons share.
inline const QColor kWindowColor(0x9D, 0xB9, 0xEB);
// The face of the keys that insert text, and the text of the URL box.
inline const QColor kKeyFaceColor(0xD8, 0xE4, 0xF8);
// A key or picture button held down.
inline const QColor kKeyDownColor(0x02, 0x9F, 0xFD);
// The edit keys, the Caps key and the picture buttons under the mouse.
inline const QColor kBlueHotTrackColor(0x6F, 0xBE, 0xFF);
// The dark edge of the keys that insert text and of the Caps key.
inline const QColor kKeyShadowColor(0x00, 0x4E, 0x98);
// The Caps key's caption while the letters are upper case.
inline const QColor kCapsUpperColor(0x00, 0xFF, 0xFF);
// The caret marker "|" of a template, in the menu and in the template dialog.
inline const QColor kMarkerColor(0xFF, 0x00, 0x00);

// A face at a size in pixels.
QFont FaceFont(const char* face, int pixels, bool bold = false);
// The main window's and the dialogs' own font.
QFont InterfaceFont();
// The URL box.
QFont UrlBoxFont();
// The template being edited in the template dialog.
QFont TemplateEditFont();
// The templates of the template menu: the menu's own font in the fixed-width face.
QFont TemplateMenuFont(const QFont& menuFont);
