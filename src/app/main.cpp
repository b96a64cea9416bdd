#include "app/Main.h"

#include <QApplication>
#include <QFont>

namespace {

// The interface names the Windows faces; these are their metric-compatible stand-ins.
void MapFonts() {
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The title (with its trailing blank) names the program to the desktop; arguments are ignored.
    QCoreApplication::setApplicationName(QStringLiteral("Velmarinth "));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmarinth"));
    MapFonts();
    TfrmMain frmMain(QCoreApplication::applicationDirPath());
    frmMain.show();
    return QApplication::exec();
}
