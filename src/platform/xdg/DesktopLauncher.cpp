#include "platform/xdg/DesktopLauncher.h"

#include "core/browser/CommandLine.h"
#include "core/text/ShiftJis.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

QString ProgramFolder(const QString& program) {
    const qsizetype slash = program.lastIndexOf(u'/');
    return slash < 0 ? QString() : program.left(slash + 1);
}

namespace {

bool HasScheme(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return scheme.match(target).hasMatch();
}

// What RunProgram hands to the desktop for a target that is no valid URL as it stands, as a browser's
// address bar sends it: reserved characters and "%" (an escape already made) stay; blanks, controls,
// non-ASCII and the other characters that a URL cannot hold are encoded as UTF-8; "http://" goes first when
// there is no scheme.
QString AddressText(const QString& target) {
    const QByteArray encoded = target.toUtf8().toPercentEncoding("!#$&'()*+,/:;=?@[]%");
    const QString text = QString::fromLatin1(encoded);
    return HasScheme(target) ? text : QStringLiteral("http://") + text;
}

} // namespace

QUrl TargetUrl(const QString& target) {
    if (HasScheme(target))
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
    // The file that was found to exist is the one to start: a bare name would be looked up on PATH, and the
    // child changes to the working folder before it starts the program, so a relative path with a folder
    // part must not be read from there either.
    if (!start.Program.isEmpty())
        start.Program = QFileInfo(start.Program).absoluteFilePath();
    return start;
}

void TDesktopLauncher::RunProgram(const QByteArray& target) {
    const QString text = sjis::toUnicode(target);
    if (text.isEmpty())
        return;
    const QUrl url = TargetUrl(text);
    if (!url.isValid()) {
        // Qt refuses it (a blank in the host), but the browser is to have it all the same.
        QProcess::startDetached(QStringLiteral("xdg-open"), {AddressText(text)});
        return;
    }
    // Platform plugins without desktop services (offscreen, minimal) cannot open URLs; xdg-open can.
    const bool services = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
                          QGuiApplication::platformName() != u"offscreen" &&
                          QGuiApplication::platformName() != u"minimal";
    if (services && QDesktopServices::openUrl(url))
        return;
    QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromLatin1(url.toEncoded())});
}

void TDesktopLauncher::RunProgramWithParams(const QByteArray& program, const QByteArray& params) {
    const TProgramStart start = ProgramStart(program, params);
    if (start.Program.isEmpty())
        return;
    QProcess::startDetached(start.Program, start.Arguments, start.WorkingDirectory);
}
