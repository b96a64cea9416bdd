#pragma once

#include <span>

// What a key of the on-screen keyboard looks like and does.
enum class KeyKind {
    Fragment,     // URL fragment: inserts its caption (sbhttpClick)
    Letter,       // inserts its caption in the current case (sbAlpha_QClick)
    Digit,        // sbNum_3Click
    SymbolGothic, // "-", "~", "_" (sbHyphenClick)
    SymbolMincho, // the other symbols (sbHyphenClick)
    Ampersand,    // caption "&&", inserts "&" (sbAmpersandClick)
    EditBlue,     // AC, Del, BS: dark blue shadow, 19 px
    Clipboard,    // Copy, Paste: 15 px, glyph
    Caret,        // the four caret keys: highlight-coloured shadow, 20 px, glyph
    Caps,         // the Caps Lock toggle
};

struct KeyDef {
    const char* name;
    const char* caption; // UTF-8
    const char* hint;    // UTF-8, empty for none
    int left, top, width, height;
    KeyKind kind;
    const char* glyph = nullptr; // the key's two-cell glyph strip, if any
};

// Every key of the main window in creation order.
std::span<const KeyDef> KeyTable();
