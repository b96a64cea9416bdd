#pragma once

#include <QColor>

// The main window's own colour, which the edit keys and picture buttons share.
inline const QColor kWindowColor(0x9D, 0xB9, 0xEB);
