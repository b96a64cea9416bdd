#pragma once

#include <QFlags>
#include <QObject>
#include <QPoint>
#include <functional>

class QMimeData;
class QWidget;
class TZelkCustomDropTarget;

// The mouse buttons and modifier keys held during a drag. Alt is not carried.
enum class TZelkDragKey : unsigned {
    Ctrl = 0x01,
    Shift = 0x02,
    LeftButton = 0x04,
    MiddleButton = 0x08,
    RightButton = 0x10,
};
Q_DECLARE_FLAGS(TZelkDragKeys, TZelkDragKey)
Q_DECLARE_OPERATORS_FOR_FLAGS(TZelkDragKeys)

TZelkDragKeys ZelkDragKeys(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// Effect: in, the action the drag proposes; out, the action the target takes, or Qt::IgnoreAction to refuse
// (the no-drop cursor). Point: in screen coordinates.
using TZelkDragEnterEvent =
    std::function<void(const QMimeData* data, TZelkDragKeys keys, QPoint point, Qt::DropAction& effect)>;
using TZelkDragOverEvent = std::function<void(TZelkDragKeys keys, QPoint point, Qt::DropAction& effect)>;
using TZelkDragLeaveEvent = std::function<void()>;
using TZelkDropEvent = TZelkDragEnterEvent;

// Sits in front of the registered window's own drag handling and hands each drag event to its owner's
// event slots; the window never sees them, so it neither inserts at the drop point nor moves text away
// from a source in this program.
class TZelkDropTargetObject final : public QObject {
    Q_OBJECT
public:
    explicit TZelkDropTargetObject(TZelkCustomDropTarget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TZelkCustomDropTarget* FOwner;
};

// Makes one window a drop target. The registration lasts until Window changes, the component is destroyed,
// or the window goes away first (then the component only forgets it).
class TZelkCustomDropTarget : public QObject {
    Q_OBJECT
public:
    explicit TZelkCustomDropTarget(QObject* owner = nullptr);
    ~TZelkCustomDropTarget() override;

    QWidget* Window() const { return FWindow; }
    void SetWindow(QWidget* value);

protected:
    TZelkDragEnterEvent OnDragEnter;
    TZelkDragOverEvent OnDragOver;
    TZelkDragLeaveEvent OnDragLeave;
    TZelkDropEvent OnDrop;

private:
    friend class TZelkDropTargetObject;

    void Register();
    void Revoke();
    void WindowDestroyed();

    QWidget* FWindow = nullptr;
    TZelkDropTargetObject* FDropTarget;
    // The window's own choice, given back when the registration ends.
    bool FWindowAcceptedDrops = false;
    QMetaObject::Connection FWindowDestroyedConnection;
};
