// The yardstick for start-up figures: a plain Qt window with a menu bar and a focused line edit. With
// --japanese its menu reads in Japanese, so that it also pays for a Japanese font, as any window does that
// shows Japanese text.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QString>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    const bool japanese = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--japanese");
    window.menuBar()
        ->addMenu(japanese ? QStringLiteral(u"ファイル(&F)") : QStringLiteral("File"))
        ->addAction(japanese ? QStringLiteral(u"終了(&X)") : QStringLiteral("Exit"));
    auto* edit = new QLineEdit(&window);
    window.setCentralWidget(edit);
    window.resize(395, 232);
    window.show();
    edit->setFocus();
    return QApplication::exec();
}
