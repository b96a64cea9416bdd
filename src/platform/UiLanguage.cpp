#include "platform/UiLanguage.h"

#include <QLocale>

namespace {

// "de-Latn-DE" and "de_DE" are German: the part before the first "-" or "_", in lower case.
QString PrimaryCode(const QString& language) {
    qsizetype end = 0;
    while (end < language.size() && language.at(end) != QLatin1Char('-') && language.at(end) != QLatin1Char('_'))
        ++end;
    return language.left(end).toLower();
}

} // namespace

QString ChooseUiLanguage(bool messagesLocaleIsC, const QStringList& uiLanguages, const QStringList& translated) {
    const QString own = QStringLiteral("ja");
    if (messagesLocaleIsC)
        return own;
    for (const QString& language : uiLanguages) {
        const QString code = PrimaryCode(language);
        if (code == own || translated.contains(code))
            return code;
    }
    return QStringLiteral("en");
}

QString DesktopUiLanguage(const QStringList& translated) {
    const QLocale system = QLocale::system();
    return ChooseUiLanguage(system.language() == QLocale::C, system.uiLanguages(), translated);
}
