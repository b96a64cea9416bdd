#include "controls/VelDialog.h"

#include "common/VelUtils.h"
#include "controls/Looks.h"

#include <QFrame>
#include <QShowEvent>

TVelDialog::TVelDialog(QWidget* owner, const QString& caption, QSize clientSize)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowSystemMenuHint) {
    setWindowTitle(caption);
    setFont(InterfaceFont());
    setFixedSize(clientSize);
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    FPanel = new QFrame(this);
    FPanel->setObjectName(QStringLiteral("pnlMain"));
    FPanel->move(6, 6);
    // The panel itself never holds the focus: it passes it on to its first control.
    FPanel->setFocusPolicy(Qt::NoFocus);
}

void TVelDialog::showEvent(QShowEvent* event) {
    // Only when it opens: a dialog shown again with its owner stays where the user put it.
    if (!event->spontaneous())
        CentreOnScreen(this);
    QDialog::showEvent(event);
}
