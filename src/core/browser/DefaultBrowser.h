#pragma once

#include <QByteArray>

// Finding the default browser's program file from the command values the desktop keeps for http URLs.

// What the browser rules need to know about the machine. Paths and command values are code page 932 bytes;
// every routine answers with an empty text or false when it finds nothing.
class IBrowserSystem {
public:
    virtual ~IBrowserSystem() = default;

    // The long form of an existing path, or empty.
    virtual QByteArray LongPath(const QByteArray& path) const = 0;
    // True when path names an existing file that is not a folder.
    virtual bool IsFile(const QByteArray& path) const = 0;
    // The command value of the desktop's default handler for http URLs (the default verb's command), or
    // empty when there is none.
    virtual QByteArray DefaultHandlerCommand() const = 0;
    // The command value tried when the default handler gives no program (the "open" command), or empty.
    virtual QByteArray FallbackCommand() const = 0;
};

// 1-based byte position of the first ".EXE" in an upper-cased copy of value (sjis::toUpper), or 0. Only
// character starts are matched, so the second byte of a double-byte character never starts a match.
qsizetype FindExeExtension(const QByteArray& value);

// The text of a command value that names its program: up to the end of the first ".exe" (in the value's own
// letter case, without the opening double quote when the value starts with one), else the whole value.
QByteArray CommandExeCandidate(const QByteArray& value);

// The program file a command value names, in its long form, or empty when that names no existing file.
QByteArray GetCommandExePath(const QByteArray& commandValue, const IBrowserSystem& system);

// The default browser's program file: the default handler's command first, the fallback command when that
// gives nothing; empty when neither names an existing file.
QByteArray GetDefaultBrowserPath(const IBrowserSystem& system);
