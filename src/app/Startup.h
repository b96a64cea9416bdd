#pragma once

// Everything the application needs before its main window exists: the title that names it to the desktop,
// the font mapping, and Qt's own Japanese texts for standard buttons and dialogs.
void PrepareApplication();
