// The yardstick for start-up figures: a plain Qt window with a menu bar and a focused line edit.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Exit"));
    auto* edit = new QLineEdit(&window);
    window.setCentralWidget(edit);
    window.resize(395, 232);
    window.show();
    edit->setFocus();
    return QApplication::exec();
}
