#include "platform/Clipboard.h"

#include "platform/x11/XcbClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Where the platform's own clipboard never keeps the caller waiting for another program (no X display).
class TQtClipboard final : public IClipboard {
public:
    explicit TQtClipboard(QObject* parent) : IClipboard(parent) {
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &IClipboard::Changed);
    }

    void RequestText(QClipboard::Mode mode, QObject* context,
                     std::function<void(const TClipboardText&)> done) override {
        QMetaObject::invokeMethod(
            context, [mode, done = std::move(done)] { done(ReadNow(mode)); }, Qt::QueuedConnection);
    }

    bool SetText(const QString& text) override {
        QGuiApplication::clipboard()->setText(text);
        return true;
    }

private:
    static TClipboardText ReadNow(QClipboard::Mode mode) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (mode == QClipboard::Selection && !clipboard->supportsSelection())
            return {};
        const QMimeData* data = clipboard->mimeData(mode);
        if (!data || !data->hasText())
            return {};
        return {TClipboardText::Status::Text, data->text()};
    }
};

} // namespace

IClipboard& DesktopClipboard() {
    static IClipboard* const clipboard = QGuiApplication::platformName() == QLatin1String("xcb")
                                             ? static_cast<IClipboard*>(new TXcbClipboard(qApp))
                                             : static_cast<IClipboard*>(new TQtClipboard(qApp));
    return *clipboard;
}
