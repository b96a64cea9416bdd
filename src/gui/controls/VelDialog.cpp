#include "gui/controls/VelDialog.h"

#include "gui/controls/Looks.h"
#include "gui/controls/VelUtils.h"

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
    FPanel->installEventFilter(this);
}

QFrame* TVelDialog::SetUpPanel(const char* name, QSize size) {
    FPanel->setObjectName(QString::fromLatin1(name));
    FPanel->resize(size);
    FPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return FPanel;
}

bool TVelDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FPanel && event->type() == QEvent::FocusIn)
        PanelEnter();
    return QDialog::eventFilter(watched, event);
}

void TVelDialog::PanelEnter() {
    for (QWidget* next = FPanel->nextInFocusChain(); next && next != FPanel; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(this)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void TVelDialog::showEvent(QShowEvent* event) {
    // Only when it opens: a dialog shown again with its owner stays where the user put it.
    if (!event->spontaneous())
        CentreWindow(this, FCentreOverOwner ? parentWidget() : nullptr);
    QDialog::showEvent(event);
}
