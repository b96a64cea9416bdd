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

    void RequestText(QObject* context, std::function<void(const TClipboardText&)> done) override {
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(ReadNow()); }, Qt::QueuedConnection);
    }

    bool SetText(const QString& text) override {
        QGuiApplication::clipboard()->setText(text);
        return true;
    }

private:
    static TClipboardText ReadNow() {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
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
