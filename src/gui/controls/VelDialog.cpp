#include "gui/controls/VelDialog.h"

#include "gui/controls/Looks.h"
#include "gui/controls/VelUtils.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionButton>

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

void WidenToText(QWidget* control) {
    QString text;
    int room = 0;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        text = label->text();
        room = label->contentsRect().width() - 2 * label->margin() - qMax(0, label->indent());
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text = button->text();
        const auto contents =
            qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
        room = button->style()->subElementRect(contents, &option, button).width();
    }
    // As drawn: "&" marks the mnemonic and "&&" is one "&".
    text.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    const int missing = control->fontMetrics().horizontalAdvance(text) - room;
    if (missing > 0)
        control->resize(control->width() + missing, control->height());
}
