#include "gui/main/Startup.h"

#include "gui/controls/Fonts.h"
#include "gui/controls/HintWindowXP.h"
#include "gui/controls/ProgramPictures.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void PrepareApplication() {
    // The title (with its trailing blank) names the program to the desktop.
    QCoreApplication::setApplicationName(QStringLiteral("Velmarinth "));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmarinth"));
    MapWindowsFonts();
    // Every hint shows in the flat hint window, from the first one on.
    THintManager::Install();
    // Every window, the main window included, takes its icon from here: its pictures are read once.
    QApplication::setWindowIcon(ProgramIcon());
    // The interface is Japanese whatever the locale, so the standard buttons ("はい(&Y)", "いいえ(&N)") are too.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

QString InstanceTitle() {
    const QString chosen = qEnvironmentVariable("VEL_INSTANCE_TITLE");
    return chosen.isEmpty() ? QStringLiteral("Velmarinth ") : chosen;
}
