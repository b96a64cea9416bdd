#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>
#include <functional>

// What asking for the clipboard's plain text found.
struct TClipboardText {
    enum class Status {
        Text,     // the owner gave text (possibly empty, possibly with NULs in it)
        NoText,   // nobody owns the clipboard, or its owner has no text (a picture only)
        NoAnswer, // the owner did not answer in time, or the clipboard could not be reached
    };
    Status status = Status::NoText;
    QString text;
};

// The desktop's clipboard, asked without ever waiting on the GUI thread: a program that owns the clipboard
// and never answers must not freeze the window.
class IClipboard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks for the plain text of the clipboard, or of the primary selection (mode Selection; where the desktop
    // has none, the answer is NoText). done runs later on the GUI thread, once the owner has answered or about
    // a second has passed without an answer; never within this call, and not at all once context is gone.
    virtual void RequestText(QClipboard::Mode mode, QObject* context,
                             std::function<void(const TClipboardText&)> done) = 0;
    // Replaces the clipboard's contents with text; false when the clipboard could not be taken.
    virtual bool SetText(const QString& text) = 0;

signals:
    // Another program (or this one) put something new on the clipboard.
    void Changed();
};

// The clipboard of this desktop: on an X display it is read on a connection of its own in a worker thread;
// elsewhere through Qt's clipboard. Call once the application object exists.
IClipboard& DesktopClipboard();
