#include "gui/controls/ZelkDropTarget.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QWidget>

TZelkDragKeys ZelkDragKeys(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TZelkDragKeys keys;
    keys.setFlag(TZelkDragKey::Ctrl, modifiers.testFlag(Qt::ControlModifier));
    keys.setFlag(TZelkDragKey::Shift, modifiers.testFlag(Qt::ShiftModifier));
    keys.setFlag(TZelkDragKey::LeftButton, buttons.testFlag(Qt::LeftButton));
    keys.setFlag(TZelkDragKey::MiddleButton, buttons.testFlag(Qt::MiddleButton));
    keys.setFlag(TZelkDragKey::RightButton, buttons.testFlag(Qt::RightButton));
    return keys;
}

namespace {

// Takes the effect the slot chose, or refuses the drag when it chose none.
void ApplyEffect(QDropEvent* event, Qt::DropAction effect) {
    if (effect == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(effect);
    event->accept();
}

} // namespace

TZelkDropTargetObject::TZelkDropTargetObject(TZelkCustomDropTarget* owner) : QObject(owner), FOwner(owner) {}

bool TZelkDropTargetObject::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FOwner->Window())
        return false;
    const auto screenPoint = [watched](const QDropEvent* drop) {
        return static_cast<QWidget*>(watched)->mapToGlobal(drop->position().toPoint());
    };
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        Qt::DropAction effect = drop->proposedAction();
        const TZelkDragEnterEvent& slot = event->type() == QEvent::Drop ? FOwner->OnDrop : FOwner->OnDragEnter;
        if (slot)
            slot(drop->mimeData(), ZelkDragKeys(drop->modifiers(), drop->buttons()), screenPoint(drop), effect);
        ApplyEffect(drop, effect);
        return true;
    }
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        Qt::DropAction effect = move->proposedAction();
        if (FOwner->OnDragOver)
            FOwner->OnDragOver(ZelkDragKeys(move->modifiers(), move->buttons()), screenPoint(move), effect);
        ApplyEffect(move, effect);
        return true;
    }
    case QEvent::DragLeave:
        if (FOwner->OnDragLeave)
            FOwner->OnDragLeave();
        event->accept();
        return true;
    default:
        return false;
    }
}

TZelkCustomDropTarget::TZelkCustomDropTarget(QObject* owner)
    : QObject(owner), FDropTarget(new TZelkDropTargetObject(this)) {}

TZelkCustomDropTarget::~TZelkCustomDropTarget() {
    if (FWindow)
        Revoke();
}

void TZelkCustomDropTarget::SetWindow(QWidget* value) {
    if (FWindow) {
        Revoke();
        disconnect(FWindowDestroyedConnection);
    }
    FWindow = value;
    if (FWindow) {
        Register();
        FWindowDestroyedConnection =
            connect(FWindow, &QObject::destroyed, this, &TZelkCustomDropTarget::WindowDestroyed);
    }
}

void TZelkCustomDropTarget::Register() {
    FWindowAcceptedDrops = FWindow->acceptDrops();
    FWindow->installEventFilter(FDropTarget);
    FWindow->setAcceptDrops(true);
}

void TZelkCustomDropTarget::Revoke() {
    FWindow->removeEventFilter(FDropTarget);
    FWindow->setAcceptDrops(FWindowAcceptedDrops);
}

void TZelkCustomDropTarget::WindowDestroyed() {
    FWindow = nullptr;
}
