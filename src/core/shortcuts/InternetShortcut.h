#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// Internet Shortcut files (".url"): the URL under key "URL" of section "InternetShortcut", in a code page 932
// text of ini lines. Section and key names match ignoring letter case (code page aware).

// The longest value a shortcut file gives back, in bytes.
inline constexpr qsizetype kShortcutUrlLimit = 2047;

// The longest shortcut file read, in bytes; a longer one is not a shortcut the system made or could use.
inline constexpr qsizetype kShortcutFileLimit = 1024 * 1024;

// The file's bytes with the URL set: an existing value is replaced where it stands and every other byte
// stays; a missing key goes at the end of its section, a missing section with its key at the end of the file.
// The url must hold no CR or LF.
QByteArray SetShortcutUrl(QByteArrayView file, QByteArrayView url);

// The URL a file's bytes hold: the text after the first "=" of the key's line without the blanks around it
// and without one pair of enclosing double or single quotes, cut to kShortcutUrlLimit bytes. Empty when the
// section or key is missing.
QByteArray ShortcutUrl(QByteArrayView file);

// Sets the URL of the shortcut file, creating the file when it does not exist; the file is replaced
// atomically. Throws EFileError("%s に書き込めません") when it cannot be read or written, when it is longer than
// kShortcutFileLimit, when a link at its name is not the user's own in a folder of the user's own, and for a
// URL holding a line break, which would break the file's lines.
void WriteInternetShortcut(const QString& fileName, const QByteArray& url);

// The URL of the shortcut file (empty when it holds none); nothing when the file cannot be read, is no
// regular file or is longer than kShortcutFileLimit. Never throws.
std::optional<QByteArray> TryReadInternetShortcut(const QString& fileName);

// The URL of the shortcut file; empty when the file cannot be read or holds none. Never throws.
QByteArray ReadInternetShortcut(const QString& fileName);

// The extension of a path, dot included and lower-cased: the text from the last "." after the last "/";
// empty when there is none.
QString ShortcutExtension(const QString& path);

// Index of the first path whose extension is ".url"; -1 when there is none.
int FirstInternetShortcut(const QStringList& paths);
