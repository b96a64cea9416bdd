#include "gui/controls/HintWindowXP.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
// Moving from one hint straight onto the next within this time shows the next without the delay.
constexpr int kFollowOnWindow = 300;
// Hints sit below the pointer's tip.
constexpr int kBelowPointer = 20;

qint64 Now() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

THintWindowXP::THintWindowXP() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("HintWindowXP"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
}

QRect THintWindowXP::CalcHintRect(const QFont& font, int maxWidth, const QString& text) {
    const QRect measured = QFontMetrics(font).boundingRect(QRect(0, 0, maxWidth, 0), kTextFlags, text);
    return QRect(0, 0, measured.width() + 10, measured.height() + 6);
}

void THintWindowXP::ActivateHint(const QPoint& cursor, const QString& text) {
    FHint = text;
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    QRect rect = CalcHintRect(font(), area.width(), text);
    rect.moveTopLeft(cursor + QPoint(0, kBelowPointer));
    if (rect.right() > area.right())
        rect.moveRight(area.right());
    if (rect.bottom() > area.bottom())
        rect.moveBottom(cursor.y() - 1);
    rect.moveLeft(qMax(rect.left(), area.left()));
    setGeometry(rect);
    update();
    show();
}

void THintWindowXP::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect textRect = rect().adjusted(kTextOffset, kTextOffset, -1, -1);
    painter.drawText(textRect, kTextFlags, FHint);
}

THintManager* THintManager::Install() {
    if (!Instance()) {
        auto* manager = new THintManager;
        qApp->installEventFilter(manager);
    }
    return Instance();
}

THintManager* THintManager::Instance() {
    return qApp ? qApp->findChild<THintManager*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

THintManager::THintManager()
    : QObject(qApp), FWindow(new THintWindowXP), FShowTimer(new QTimer(this)), FHideTimer(new QTimer(this)) {
    FShowTimer->setSingleShot(true);
    FShowTimer->setInterval(kShowDelay);
    FHideTimer->setSingleShot(true);
    FHideTimer->setInterval(kHideAfter);
    connect(FShowTimer, &QTimer::timeout, this, &THintManager::ShowPending);
    connect(FHideTimer, &QTimer::timeout, this, &THintManager::HideHint);
    connect(this, &QObject::destroyed, FWindow, [window = FWindow] { delete window; });
}

bool THintManager::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the toolkit's own tooltip never shows
    case QEvent::Enter:
        if (watched->isWidgetType())
            Entered(static_cast<QWidget*>(watched));
        break;
    case QEvent::Leave:
        if (watched->isWidgetType())
            Left(static_cast<QWidget*>(watched));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::WindowDeactivate:
        FShowTimer->stop();
        if (FShown)
            HideHint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void THintManager::Entered(QWidget* widget) {
    if (widget == FWindow || widget->toolTip().isEmpty())
        return;
    FPending = widget;
    const bool followOn = FShown || (FLastHidden >= 0 && Now() - FLastHidden < kFollowOnWindow);
    if (followOn)
        ShowPending();
    else
        FShowTimer->start();
}

void THintManager::Left(QWidget* widget) {
    if (widget == FPending) {
        FShowTimer->stop();
        FPending = nullptr;
    }
    if (widget == FShown) {
        HideHint();
        FLastHidden = Now();
    }
}

void THintManager::ShowPending() {
    QWidget* widget = FPending;
    if (!widget || !widget->isVisible() || (HintAllowed && !HintAllowed(widget)))
        return;
    FShown = widget;
    FWindow->ActivateHint(QCursor::pos(), widget->toolTip());
    FHideTimer->start();
}

void THintManager::HideHint() {
    FHideTimer->stop();
    FWindow->hide();
    FShown = nullptr;
}
