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

// The languages the program has translations for, by their primary code ("en").
QStringList TranslatedLanguages() {
    QStringList languages;
    const QStringList files = QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("velmarinth_*.qm")});
    for (const QString& file : files)
        languages << file.mid(11, file.size() - 11 - 3);
    return languages;
}

void Install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(qApp);
    if (translator->load(name, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

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
