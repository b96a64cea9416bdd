#include "app/VelDialog.h"

#include <QGuiApplication>
#include <QScreen>

TVelDialog::TVelDialog(QWidget* owner, const QString& caption, QSize clientSize)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowSystemMenuHint) {
    setWindowTitle(caption);
    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(clientSize);
    FPanel = new QWidget(this);
    FPanel->setObjectName(QStringLiteral("pnlMain"));
    FPanel->move(6, 6);
    // The panel itself never holds the focus: it passes it on to its first control.
    FPanel->setFocusPolicy(Qt::NoFocus);
}

void TVelDialog::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2,
             area.y() + (area.height() - frameGeometry().height()) / 2);
    }
    QDialog::showEvent(event);
}
