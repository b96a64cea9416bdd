#pragma once

#include <QString>

// Everything the application needs before its main window exists: the title that names it to the desktop,
// the font mapping, and Qt's own Japanese texts for standard buttons and dialogs.
void PrepareApplication();

// The application title, which also keeps a second copy from running. VEL_INSTANCE_TITLE, when set, puts
// another in its place, so that test runs side by side do not take each other for a running copy.
QString InstanceTitle();
