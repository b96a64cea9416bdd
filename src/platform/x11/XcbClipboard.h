#pragma once

#include "platform/Clipboard.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QThreadPool>
#include <atomic>
#include <chrono>

// Reads a selection's text (selection: "CLIPBOARD" or "PRIMARY") on an X connection of its own: asks for
// UTF8_STRING, then STRING, and gives up when the owner has not answered by the timeout (each further piece
// of a large, incremental answer gets the timeout again). display: the X display's name, empty for $DISPLAY.
TClipboardText ReadX11ClipboardText(const QByteArray& display, const char* selection,
                                    std::chrono::milliseconds timeout);

// The clipboard of an X display. Reading happens in a worker thread; the answer comes back to the GUI
// thread as an event. Writing and the change signal go through Qt, which never waits for another program
// there.
class TXcbClipboard final : public IClipboard {
    Q_OBJECT
public:
    explicit TXcbClipboard(QObject* parent);
    ~TXcbClipboard() override;

    void RequestText(QClipboard::Mode mode, QObject* context, std::function<void(const TClipboardText&)> done) override;
    bool SetText(const QString& text) override;

private:
    struct Request {
        QPointer<QObject> context;
        std::function<void(const TClipboardText&)> done;
    };
    void Deliver(quint64 id, const TClipboardText& answer);

    QByteArray FDisplay;
    QHash<quint64, Request> FPending;
    quint64 FNextId = 0;
    std::atomic<bool> FClosing{false};
    QThreadPool FReaders;
};
