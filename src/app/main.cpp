#include "app/Main.h"
#include "common/Fonts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The title (with its trailing blank) names the program to the desktop; arguments are ignored.
    QCoreApplication::setApplicationName(QStringLiteral("Velmarinth "));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmarinth"));
    MapWindowsFonts();
    TfrmMain frmMain(QCoreApplication::applicationDirPath());
    frmMain.show();
    return QApplication::exec();
}
