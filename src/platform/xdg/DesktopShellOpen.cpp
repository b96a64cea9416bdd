#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace {

class TDesktopShellOpen final : public IShellOpen {
public:
    void OpenDocument(const QString& path) override { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

    void OpenUrl(const QString& text) override {
        QUrl url(text, QUrl::TolerantMode);
        // An address Qt will not take as it is (a blank in the host) goes out percent-encoded, never dropped.
        if (!url.isValid())
            url = QUrl::fromEncoded(QUrl::toPercentEncoding(text, ":/?#[]@!$&'()*+,;=%~"), QUrl::TolerantMode);
        QDesktopServices::openUrl(url);
    }
};

} // namespace

IShellOpen& DesktopShellOpen() {
    static TDesktopShellOpen shellOpen;
    return shellOpen;
}
