#include "app/VelDialog.h"

#include "common/VelUtils.h"
#include "controls/Looks.h"

TVelDialog::TVelDialog(QWidget* owner, const QString& caption, QSize clientSize)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::WindowSystemMenuHint) {
    setWindowTitle(caption);
    setFont(InterfaceFont());
    setFixedSize(clientSize);
    FPanel = new QWidget(this);
    FPanel->setObjectName(QStringLiteral("pnlMain"));
    FPanel->move(6, 6);
    // The panel itself never holds the focus: it passes it on to its first control.
    FPanel->setFocusPolicy(Qt::NoFocus);
}

void TVelDialog::showEvent(QShowEvent* event) {
    CentreOnScreen(this);
    QDialog::showEvent(event);
}
