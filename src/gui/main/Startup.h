#pragma once

#include <QString>

// Everything the application needs before its main window exists: the title that names it to the desktop,
// the font mapping, and the interface's language (its translation and Qt's own texts for standard buttons).
void PrepareApplication();

// The language the interface speaks, chosen once from the desktop's ("ja", "en").
QString UiLanguage();

// Installs the translations of UiLanguage(): the program's own, unless Japanese, and Qt's, unless English.
void LoadTranslations();

// The application title, which also keeps a second copy from running. VEL_INSTANCE_TITLE, when set, puts
// another in its place, so that test runs side by side do not take each other for a running copy.
QString InstanceTitle();
