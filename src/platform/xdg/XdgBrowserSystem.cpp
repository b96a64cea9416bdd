#include "platform/xdg/XdgBrowserSystem.h"

#include "core/text/ShiftJis.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A path that code page 932 cannot hold is no path at all to the rules.
QByteArray toCodePage(const QString& text) {
    return sjis::fromUnicode(text, sjis::Unencodable::Refuse).value_or(QByteArray());
}

QString longPathOf(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return {};
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return info.canonicalFilePath();
    QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash);
    if (folder.isEmpty())
        folder = QStringLiteral("/");
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    if (canonicalFolder.isEmpty())
        return {};
    return canonicalFolder == u"/" ? u'/' + name : canonicalFolder + u'/' + name;
}

} // namespace

TXdgBrowserSystem::TXdgBrowserSystem(const QProcessEnvironment& environment) : FApplications(environment) {}

QByteArray TXdgBrowserSystem::LongPath(const QByteArray& path) const {
    return GetLongPath(path);
}

bool TXdgBrowserSystem::IsFile(const QByteArray& path) const {
    return !path.isEmpty() && QFileInfo(sjis::toUnicode(path)).isFile();
}

QByteArray TXdgBrowserSystem::DefaultHandlerCommand() const {
    const QString entryFile = FApplications.DefaultApplication(QStringLiteral("x-scheme-handler/http"));
    if (entryFile.isEmpty())
        return {};
    const std::optional<TDesktopEntry> entry = ReadDesktopEntry(entryFile);
    if (!entry)
        return {};
    // Arguments are joined as they stand: a command with fixed arguments names no file as a whole, just as
    // a registry command with arguments after a program that is not an .exe.
    return toCodePage(FApplications.EntryCommand(*entry).join(u' '));
}

QByteArray TXdgBrowserSystem::FallbackCommand() const {
    return toCodePage(FApplications.FindProgram(QStringLiteral("x-www-browser")));
}

QByteArray GetLongPath(const QByteArray& path) {
    if (path.isEmpty())
        return {};
    return toCodePage(longPathOf(sjis::toUnicode(path)));
}
