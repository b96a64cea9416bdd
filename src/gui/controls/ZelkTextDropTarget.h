#pragma once

#include "gui/controls/ZelkDropTarget.h"

#include <QString>
#include <functional>

using TZelkTextDrop = std::function<void(const QString& text)>;

// Makes its window a target for dragged plain text. A drag that offers text is taken as a copy whatever
// keys are held, so the source always keeps its text; any other drag is refused.
class TZelkTextDropTarget final : public TZelkCustomDropTarget {
    Q_OBJECT
public:
    explicit TZelkTextDropTarget(QObject* owner = nullptr);

    // Called once per drop with the dropped text up to its first NUL, possibly empty; not when the text
    // could not be fetched.
    TZelkTextDrop OnTextDrop;

private:
    void DragEnter(const QMimeData* data, Qt::DropAction& effect);
    void Drop(const QMimeData* data, Qt::DropAction& effect);
    Qt::DropAction Effect() const { return FAcceptText ? Qt::CopyAction : Qt::IgnoreAction; }

    // Whether the drag that entered last offers text; holds until the next one enters.
    bool FAcceptText = false;
};
