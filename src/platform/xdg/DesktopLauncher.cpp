#include "platform/xdg/DesktopLauncher.h"

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

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// What RunProgram hands to the desktop for a target that is no valid URL as it stands, as a browser's
// address bar sends it: "http://" goes first when there is no scheme.
QString AddressText(const QString& target) {
    const QString text = UrlArgument(target);
    return HasScheme(target) ? text : QStringLiteral("http://") + text;
}

} // namespace

QString UrlArgument(const QString& text) {
    static constexpr QByteArrayView kKept = "!#$&'()*+,/:;=?@[]";
    const QByteArray utf8 = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        // An escape already made stays one; a "%" that starts none would be read as one by the browser.
        const bool escape = c == '%' && i + 2 < utf8.size() && IsHexDigit(utf8[i + 1]) && IsHexDigit(utf8[i + 2]);
        if (unreserved || kKept.contains(c) || escape) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += QByteArray::number(static_cast<uchar>(c), 16).rightJustified(2, '0').toUpper();
        }
    }
    return QString::fromLatin1(encoded);
}

QUrl TargetUrl(const QString& target) {
    if (HasScheme(target))
        return QUrl(target, QUrl::TolerantMode);
    if (!target.isEmpty() && QFileInfo::exists(target))
        return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return QUrl::fromUserInput(target);
}

bool IsOptionLike(const QStringList& arguments) {
    return !arguments.isEmpty() && arguments.first().startsWith(u'-');
}

TProgramStart ProgramStart(const QByteArray& program, const QByteArray& params) {
    TProgramStart start;
    start.Program = sjis::toUnicode(program);
    // One argument, whatever the text holds: split at its blanks, a text could hand the browser options
    // of its own ("--gpu-launcher=…" runs a command in browsers built on Chromium).
    const QString url = UrlArgument(sjis::toUnicode(params));
    if (!url.isEmpty())
        start.Arguments = QStringList{url};
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
    if (start.Program.isEmpty() || IsOptionLike(start.Arguments))
        return;
    QProcess::startDetached(start.Program, start.Arguments, start.WorkingDirectory);
}
