// What the URL box takes from a drag: dragged text replaces its text, a dropped Internet Shortcut file gives
// its URL.
#include "core/shortcuts/InternetShortcut.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/ZelkTextDropTarget.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// The local files and folders a drag offers, in its order.
QStringList DraggedPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

void TfrmMain::CreateDropTargets() {
    ZelkTextDropTarget1 = new TZelkTextDropTarget(this);
    ZelkTextDropTarget1->setObjectName(QStringLiteral("ZelkTextDropTarget1"));
    ZelkTextDropTarget1->SetWindow(edURL);
    ZelkTextDropTarget1->OnTextDrop = [this](const QString& text) { ZelkTextDropTarget1TextDrop(text); };
}

void TfrmMain::ZelkTextDropTarget1TextDrop(const QString& text) {
    SetWholeUrl(text);
}

void TfrmMain::SetWholeUrl(const QString& text) {
    // The box's own rules for text from outside: one line, and what the code page cannot hold encoded.
    edURL->SetTextBytes(sjis::fromUnicodeUrl(TUrlBox::FirstLine(text)), 0);
}

// Dropped files reach the box before its text drop target. A drag whose URI list holds local files is a
// file drop even when it also offers text: a file manager adds the paths as text, and the user means the
// file, not its name. Any other drag is left to the text drop target, so a link dragged from a browser (an
// http URI list along with its text) drops its text.
bool TfrmMain::edURLDropFiles(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = DraggedPaths(drop->mimeData());
    if (paths.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Only the first shortcut counts; other files and folders (a folder's name may end in .url) are
        // passed over, and no shortcut changes nothing.
        QStringList files;
        for (const QString& path : paths)
            files << (QFileInfo(path).isDir() ? QString() : path);
        const int first = FirstInternetShortcut(files);
        // A shortcut that cannot be read (or is far too long to be one) leaves the box as it is.
        if (first >= 0)
            if (const std::optional<QByteArray> url = TryReadInternetShortcut(files.at(first)))
                SetWholeUrl(sjis::toUnicode(*url));
    }
    return true;
}
