#include "core/browser/DefaultBrowser.h"

#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"

qsizetype FindExeExtension(const QByteArray& value) {
    static const QByteArray kExe = ".EXE";
    const QByteArray upper = sjis::toUpper(value);
    for (qsizetype i = 0; i < upper.size(); i += sjis::charLength(upper, i))
        if (upper.mid(i, kExe.size()) == kExe)
            return i + 1;
    return 0;
}

QByteArray CommandExeCandidate(const QByteArray& value) {
    const qsizetype p = FindExeExtension(value);
    if (p == 0)
        return value;
    if (value.startsWith('"'))
        return value.mid(1, p + 2);
    return value.left(p + 3);
}

QByteArray GetCommandExePath(const QByteArray& commandValue, const IBrowserSystem& system) {
    const QByteArray path = system.LongPath(CommandExeCandidate(commandValue));
    return system.IsFile(path) ? path : QByteArray();
}

QByteArray GetDefaultBrowserPath(const IBrowserSystem& system) {
    QByteArray result;
    const QByteArray command = system.DefaultHandlerCommand();
    if (!command.isEmpty())
        result = GetCommandExePath(command, system);
    if (result.isEmpty())
        result = GetCommandExePath(system.FallbackCommand(), system);
    return result;
}
