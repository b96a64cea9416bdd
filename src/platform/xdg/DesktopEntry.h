#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The keys of a desktop entry's [Desktop Entry] group that program lookup needs, with the string escapes
// (\s \n \t \r \\) already resolved.
struct TDesktopEntry {
    QString Type;
    QString Exec;
    QString TryExec;
    QString Icon;
    bool Hidden = false;
};

TDesktopEntry ParseDesktopEntry(const QByteArray& content);
std::optional<TDesktopEntry> ReadDesktopEntry(const QString& fileName);

// The value of a string key with its escape sequences resolved.
QString UnescapeDesktopString(QStringView value);

// The arguments of an Exec value as the entry would be started with no file or URL: double-quoted arguments
// unquoted (with \" \` \$ \\ inside them), field codes such as %u %U %f %F %i removed and %% made %.
// Empty when the value is empty or its quoting is broken.
QStringList SplitExecLine(QStringView exec);
