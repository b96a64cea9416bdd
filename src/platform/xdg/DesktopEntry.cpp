#include "platform/xdg/DesktopEntry.h"

#include <QFile>

namespace {

bool isTrue(QStringView value) {
    return value.trimmed() == u"true";
}

// Field codes that stand for files, URLs or the entry's own icon, name and location: none of them belongs to
// the program's name or its fixed arguments.
bool isFieldCode(QChar c) {
    return QStringView(u"fFuUickdDnNvm").contains(c);
}

// Removes embedded field codes from one argument; an argument that was a field code alone disappears.
std::optional<QString> expandFieldCodes(const QString& argument) {
    if (argument.size() == 2 && argument[0] == u'%' && isFieldCode(argument[1]))
        return std::nullopt;
    QString result;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument[i] == u'%' && i + 1 < argument.size()) {
            if (argument[i + 1] == u'%')
                result.append(u'%');
            ++i;
            continue;
        }
        result.append(argument[i]);
    }
    return result;
}

} // namespace

QString UnescapeDesktopString(QStringView value) {
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 >= value.size()) {
            result.append(value[i]);
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u's':
            result.append(u' ');
            break;
        case u'n':
            result.append(u'\n');
            break;
        case u't':
            result.append(u'\t');
            break;
        case u'r':
            result.append(u'\r');
            break;
        case u'\\':
            result.append(u'\\');
            break;
        default:
            result.append(u'\\');
            result.append(next);
        }
    }
    return result;
}

TDesktopEntry ParseDesktopEntry(const QByteArray& content) {
    TDesktopEntry entry;
    bool inGroup = false;
    bool seenGroup = false;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            // Only the first [Desktop Entry] group counts; actions and other groups have their own Exec.
            if (inGroup || seenGroup)
                break;
            inGroup = line == u"[Desktop Entry]";
            seenGroup = inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = UnescapeDesktopString(QStringView(line).mid(equals + 1).trimmed());
        if (key == u"Type")
            entry.Type = value;
        else if (key == u"Exec")
            entry.Exec = value;
        else if (key == u"TryExec")
            entry.TryExec = value;
        else if (key == u"Icon")
            entry.Icon = value;
        else if (key == u"Hidden")
            entry.Hidden = isTrue(value);
    }
    return entry;
}

std::optional<TDesktopEntry> ReadDesktopEntry(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A desktop entry is a few kilobytes; a huge file is not one.
    constexpr qint64 kMaxSize = 1 << 20;
    return ParseDesktopEntry(file.read(kMaxSize));
}

QStringList SplitExecLine(QStringView exec) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < exec.size() && QStringView(u"\"`$\\").contains(exec[i + 1]))
                word.append(exec[++i]);
            else if (c == u'"')
                quoted = false;
            else
                word.append(c);
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else if (c == u'"') {
            quoted = true;
            inWord = true;
        } else {
            word.append(c);
            inWord = true;
        }
    }
    if (quoted)
        return {};
    if (inWord)
        words.append(word);

    QStringList arguments;
    for (const QString& w : words)
        if (const std::optional<QString> expanded = expandFieldCodes(w))
            arguments.append(*expanded);
    return arguments;
}
