#pragma once

#include <QString>
#include <QStringList>

// The language the interface speaks. Japanese is the program's own language; others come from translations.
//
// messagesLocaleIsC: the locale that messages follow (LC_ALL, else LC_MESSAGES, else LANG) is unset, "C" or
// "POSIX": no language was chosen, and the program speaks its own, whatever LANGUAGE lists (as gettext does).
// uiLanguages: the desktop's languages, best first, as QLocale::uiLanguages() gives them ("de-DE", "ja", …).
// translated: the languages a translation ships for ("en"), by their primary code.
// The result is a primary language code: "ja" when the list reaches Japanese before any translated language,
// the first translated language otherwise, and "en" when the list names none of them.
QString ChooseUiLanguage(bool messagesLocaleIsC, const QStringList& uiLanguages, const QStringList& translated);

// The choice for this process, from its locale and environment.
QString DesktopUiLanguage(const QStringList& translated);
