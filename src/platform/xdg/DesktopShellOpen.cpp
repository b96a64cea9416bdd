#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace {

class TDesktopShellOpen final : public IShellOpen {
public:
    void OpenDocument(const QString& path) override { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }
};

} // namespace

IShellOpen& DesktopShellOpen() {
    static TDesktopShellOpen shellOpen;
    return shellOpen;
}
