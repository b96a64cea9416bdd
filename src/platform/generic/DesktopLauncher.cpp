#include "platform/generic/DesktopLauncher.h"

#include "common/CommandLine.h"
#include "common/ShiftJis.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

void TDesktopLauncher::RunProgram(const QByteArray& target) {
    ::RunProgram(target);
}

void TDesktopLauncher::RunProgramWithParams(const QByteArray& program, const QByteArray& params) {
    ::RunProgramWithParams(program, params);
}

QString ProgramFolder(const QString& program) {
    const qsizetype slash = program.lastIndexOf(u'/');
    return slash < 0 ? QString() : program.left(slash + 1);
}

QUrl TargetUrl(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    if (!target.isEmpty() && QFileInfo::exists(target))
        return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return QUrl::fromUserInput(target);
}

TProgramStart ProgramStart(const QByteArray& program, const QByteArray& params) {
    TProgramStart start;
    start.Program = sjis::toUnicode(program);
    start.Arguments = SplitCommandLine(sjis::toUnicode(params));
    start.WorkingDirectory = ProgramFolder(start.Program);
    // The child changes to the working folder before it starts the program, so a relative path with a folder
    // part must not be read from there.
    if (start.Program.contains(u'/'))
        start.Program = QFileInfo(start.Program).absoluteFilePath();
    return start;
}

void RunProgram(const QByteArray& target) {
    const QUrl url = TargetUrl(sjis::toUnicode(target));
    if (!url.isValid() || url.isEmpty())
        return;
    // Platform plugins without desktop services (offscreen, minimal) cannot open URLs; xdg-open can.
    const bool services = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
                          QGuiApplication::platformName() != u"offscreen" &&
                          QGuiApplication::platformName() != u"minimal";
    if (services && QDesktopServices::openUrl(url))
        return;
    QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromLatin1(url.toEncoded())});
}

void RunProgramWithParams(const QByteArray& program, const QByteArray& params) {
    const TProgramStart start = ProgramStart(program, params);
    if (start.Program.isEmpty())
        return;
    QProcess::startDetached(start.Program, start.Arguments, start.WorkingDirectory);
}
