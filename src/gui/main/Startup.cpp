#include "gui/main/Startup.h"

#include "gui/controls/Fonts.h"
#include "gui/controls/HintWindowXP.h"
#include "gui/controls/ProgramPictures.h"
#include "platform/UiLanguage.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void Install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(qApp);
    if (translator->load(name, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

// Picked by hand: a name filter is a wildcard pattern, which would compile and load the regular-expression
// engine (half a megabyte resident) for this one look at start.
QString TranslationLanguage(const QString& fileName) {
    const QLatin1String prefix("velmarinth_"), suffix(".qm");
    if (!fileName.startsWith(prefix) || !fileName.endsWith(suffix))
        return {};
    return fileName.mid(prefix.size(), fileName.size() - prefix.size() - suffix.size());
}

QStringList TranslatedLanguages() {
    QStringList languages;
    for (const QString& file : QDir(QStringLiteral(":/i18n")).entryList(QDir::Files)) {
        const QString language = TranslationLanguage(file);
        if (!language.isEmpty())
            languages << language;
    }
    return languages;
}

QString UiLanguage() {
    static const QString language = DesktopUiLanguage(TranslatedLanguages());
    return language;
}

void LoadTranslations() {
    const QString language = UiLanguage();
    // Japanese is the language the texts are written in; another language loads its translation. Qt's own
    // standard buttons ("はい(&Y)", "いいえ(&N)" in Japanese) follow, and are English without a translation.
    if (language != QLatin1String("ja"))
        Install(QStringLiteral("velmarinth_") + language, QStringLiteral(":/i18n"));
    if (language != QLatin1String("en"))
        Install(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void PrepareApplication() {
    // The title (with its trailing blank) names the program to the desktop.
    QCoreApplication::setApplicationName(QStringLiteral("Velmarinth "));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmarinth"));
    MapWindowsFonts();
    // Every hint shows in the flat hint window, from the first one on.
    THintManager::Install();
    // Every window, the main window included, takes its icon from here: its pictures are read once.
    QApplication::setWindowIcon(ProgramIcon());
    LoadTranslations();
}

QString InstanceTitle() {
    const QString chosen = qEnvironmentVariable("VEL_INSTANCE_TITLE");
    return chosen.isEmpty() ? QStringLiteral("Velmarinth ") : chosen;
}
