#include "gui/controls/ZelkTextDropTarget.h"

#include <QMimeData>

TZelkTextDropTarget::TZelkTextDropTarget(QObject* owner) : TZelkCustomDropTarget(owner) {
    OnDragEnter = [this](const QMimeData* data, TZelkDragKeys, QPoint, Qt::DropAction& effect) {
        DragEnter(data, effect);
    };
    OnDragOver = [this](TZelkDragKeys, QPoint, Qt::DropAction& effect) { effect = Effect(); };
    OnDrop = [this](const QMimeData* data, TZelkDragKeys, QPoint, Qt::DropAction& effect) { Drop(data, effect); };
}

void TZelkTextDropTarget::DragEnter(const QMimeData* data, Qt::DropAction& effect) {
    FAcceptText = data && data->hasText();
    effect = Effect();
}

void TZelkTextDropTarget::Drop(const QMimeData* data, Qt::DropAction& effect) {
    effect = Effect();
    if (!OnTextDrop || !FAcceptText || !data || !data->hasText())
        return;
    QString text = data->text();
    // A text that could not be fetched (its source went away or did not answer in time after the drop)
    // comes back null, an empty text that was dropped comes back empty: only the latter is a drop.
    if (text.isNull())
        return;
    // The text ends at its first NUL, as a C string would.
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    OnTextDrop(text);
}
