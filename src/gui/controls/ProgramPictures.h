#pragma once

#include <QIcon>
#include <QPixmap>

// A picture drawn for this program (resources/buttons, by its name without extension), at the density of the
// screens: where a screen has more than one pixel to the point, the 2x drawing, so it stays crisp.
QPixmap ProgramPicture(const char* name);

// The program's icon, 16 and 32 pixels, for its windows.
QIcon ProgramIcon();
