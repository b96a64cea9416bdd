#pragma once

#include "core/browser/BrowserChoice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

// Starts programs and opens URLs on the desktop. Nothing goes through a shell, and nothing waits for the
// program started: the calls return once the new process exists.
class TDesktopLauncher final : public IProgramLauncher {
public:
    // Asks the desktop to open a URL, document or program (the desktop's URL handler; xdg-open where the
    // platform plugin offers none). The outcome is not examined.
    void RunProgram(const QByteArray& target) override;
    // Starts program with the parameter text as its one argument (UrlArgument), in the program's folder;
    // nothing is started when that argument would begin with "-", as an option does. The outcome is not
    // examined.
    void RunProgramWithParams(const QByteArray& program, const QByteArray& params) override;
};

// The folder part of a program path with its trailing "/", or empty when the path has none.
QString ProgramFolder(const QString& program);

// The URL text as one program argument: UTF-8 with every character a URL cannot hold (blanks, quotes,
// controls, "<>\^`{|}", non-ASCII, a "%" that starts no escape) percent-encoded, as the desktop's opener
// sends it; the characters a URL may hold stay as they are.
QString UrlArgument(const QString& text);

// Whether the first argument would be read as an option rather than as a URL.
bool IsOptionLike(const QStringList& arguments);

// What RunProgram hands to the desktop: a text with a scheme as a URL, an existing file as a local file,
// anything else as the desktop would read a typed address ("www.example.com" → http).
QUrl TargetUrl(const QString& target);

// The program and arguments RunProgramWithParams starts, and the folder it starts them in.
struct TProgramStart {
    QString Program;
    QStringList Arguments;
    QString WorkingDirectory;
};
TProgramStart ProgramStart(const QByteArray& program, const QByteArray& params);
