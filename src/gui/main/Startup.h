#pragma once

#include <QString>
#include <QStringList>

// Everything the application needs before its main window exists: the title that names it to the desktop,
// the font mapping, and the interface's language (its translation and Qt's own texts for standard buttons).
void PrepareApplication();

// The language of a translation built into the program, from its file name ("velmarinth_en.qm" is "en");
// empty for any other file.
QString TranslationLanguage(const QString& fileName);

// The languages the program has translations for, by their code ("en").
QStringList TranslatedLanguages();

// The language the interface speaks, chosen once from the desktop's ("ja", "en").
QString UiLanguage();

// Installs the translations of UiLanguage(): the program's own, unless Japanese, and Qt's, unless English.
void LoadTranslations();

// The application title, which also keeps a second copy from running. VEL_INSTANCE_TITLE, when set, puts
// another in its place, so that test runs side by side do not take each other for a running copy.
QString InstanceTitle();
